#include "exchange/importtargets.h"

#include "table/tfield.h"
#include "table/ttable.h"

#include <QHash>

namespace {

// Letters and digits only, lower case: "E-mail Address" and "EMAIL_ADDRESS" meet.
QString Folded(const QString& text)
{
    QString folded;
    folded.reserve(text.size());
    for (const QChar c : text)
        if (c.isLetterOrNumber())
            folded.append(c.toLower());
    return folded;
}

// Headings that the contact exports of common mail and webmail programs use.
const QHash<QString, QString>& Synonyms()
{
    static const QHash<QString, QString> synonyms = [] {
        // Field, then its headings separated by blanks.
        const std::pair<const char*, const char*> table[] = {
            {"LNAME", "lastname surname familyname"},
            {"FNAME", "firstname givenname forename"},
            {"MIDDLE", "middlename middleinitial additionalname"},
            {"PREFIX", "nameprefix salutation"},
            {"TITLE", "jobtitle position organization1title"},
            {"ORG", "company companyname organisation organization1name"},
            {"STREET", "street address streetaddress addressline1 businessstreet homestreet homeaddress workaddress "
                       "address1street"},
            {"STREET2", "addressline2 businessstreet2 homestreet2 homeaddress2 workaddress2"},
            {"CITY", "town businesscity homecity workcity address1city"},
            {"STATE", "province region stateprovince businessstate homestate workstate address1region"},
            {"ZIP", "zipcode postalcode postcode businesspostalcode homepostalcode homezipcode workzipcode "
                    "address1postalcode"},
            {"COUNTRY",
             "countryregion businesscountryregion homecountryregion homecountry workcountry address1country"},
            {"PHONE", "phone telephone businessphone workphone primaryphone phone1value"},
            {"PHONE2", "homephone mobilephone mobile mobilenumber cellphone phone2value"},
            {"FAX", "faxnumber businessfax homefax"},
            {"EMAIL", "emailaddress mail primaryemail email1value email1address"},
            {"CODES", "categories category groups groupmembership"},
            {"COMMENTS", "notes note comment"},
            {"WEBPAGE", "website web url homepage webpage1"},
        };
        QHash<QString, QString> map;
        for (const auto& [field, names] : table)
            for (const QString& name : QString::fromLatin1(names).split(QLatin1Char(' ')))
                map.insert(name, QString::fromLatin1(field));
        return map;
    }();
    return synonyms;
}

} // namespace

std::vector<TField*> ImportTargets(const TTable& table)
{
    std::vector<TField*> targets;
    for (TField* field : table.Fields())
        if (field->Visible() && !field->Calculated() && field->DataType() == TFieldType::String)
            targets.push_back(field);
    return targets;
}

void CopyFieldLabels(const TTable& from, TTable& to)
{
    for (const TField* field : from.Fields()) {
        TField* same = field->Calculated() ? nullptr : to.FindField(field->FieldName());
        if (same && !same->Calculated()) {
            same->SetDisplayLabel(field->DisplayLabel());
            same->SetVisible(field->Visible());
        }
    }
}

QStringList TargetLabels(const std::vector<TField*>& targets)
{
    QStringList labels;
    for (const TField* field : targets)
        labels.append(field->DisplayLabel());
    return labels;
}

TField* TargetByLabel(const std::vector<TField*>& targets, const QString& label)
{
    for (TField* field : targets)
        if (field->DisplayLabel().compare(label, Qt::CaseInsensitive) == 0)
            return field;
    return nullptr;
}

TField* TargetForColumnName(const std::vector<TField*>& targets, const QString& heading)
{
    const QString folded = Folded(heading);
    if (folded.isEmpty())
        return nullptr;
    for (TField* field : targets)
        if (Folded(field->DisplayLabel()) == folded || Folded(field->FieldName()) == folded)
            return field;
    const QString synonym = Synonyms().value(folded);
    for (TField* field : targets)
        if (!synonym.isEmpty() && field->FieldName().compare(synonym, Qt::CaseInsensitive) == 0)
            return field;
    return nullptr;
}
