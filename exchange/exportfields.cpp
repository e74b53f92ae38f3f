#include "exchange/exportfields.h"

#include "table/tfield.h"
#include "table/ttable.h"

const std::array<const char*, ExportFieldCount>& ExportFieldNames()
{
    static const std::array<const char*, ExportFieldCount> names = {
        "PREFIX", "FNAME",   "MIDDLE", "LNAME",  "TITLE", "ORG",     "STREET", "STREET2", "CITY",     "STATE",
        "ZIP",    "COUNTRY", "PHONE",  "PHONE2", "EMAIL", "WEBPAGE", "FAX",    "DATE",    "COMMENTS", "CODES",
    };
    return names;
}

ExportFieldSet::ExportFieldSet(const TTable& table)
{
    for (std::size_t i = 0; i < fields_.size(); ++i)
        fields_[i] = &table.FieldByName(QLatin1StringView(ExportFieldNames()[i]));
}

void ExportFieldSet::Read(ExportValues& values) const
{
    for (std::size_t i = 0; i < fields_.size(); ++i)
        values[i] = fields_[i]->AsString();
}

QStringList ExportFieldSet::Labels() const
{
    QStringList labels;
    for (const TField* field : fields_) {
        // The date is a hidden field of the main table; the browse grid shows it as "Date".
        if (field->FieldName().compare(QLatin1StringView("DATE"), Qt::CaseInsensitive) == 0)
            labels << QStringLiteral("Date");
        else
            labels << (field->DisplayLabel().isEmpty() ? field->FieldName() : field->DisplayLabel());
    }
    return labels;
}
