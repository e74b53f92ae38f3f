#include "exchange/vcardmapping.h"

#include "exchange/exportdates.h"

#include <algorithm>
#include <string_view>

namespace {

QString Part(const VCardParts& parts, int index)
{
    return index < parts.size() ? VCardUnescape(parts[index]).trimmed() : QString();
}

QString ListPart(const VCardParts& parts, int index, QStringView joiner)
{
    if (index >= parts.size())
        return {};
    // Most hold one item, or none.
    if (!parts[index].contains(u',') && !parts[index].contains(u'\\'))
        return parts[index].trimmed().toString();
    QStringList items = VCardList(parts[index]);
    for (QString& item : items)
        item = item.trimmed();
    items.removeAll(QString());
    return items.join(joiner);
}

// A text value unescaped; most have no escape and are taken as they are, without a copy.
QString Unescaped(const QString& value)
{
    return value.contains(u'\\') ? VCardUnescape(value) : value;
}

// Does the property have that TYPE (upper case), alone or in a list?
bool HasType(const VCardProperty& p, QStringView type)
{
    for (const auto& [key, value] : p.params)
        if (key == "TYPE")
            for (QStringView item : QStringView(value).tokenize(u',', Qt::SkipEmptyParts))
                if (item.trimmed().toString().toUpper() == type)
                    return true;
    return false;
}

// Properties about the card itself rather than the person, and the ones read as a pair.
bool IsBookkeeping(const QByteArray& name)
{
    return name == "PRODID" || name == "REV" || name == "UID" || name == "KIND" || name == "FN";
}

class Mapper {
public:
    explicit Mapper(const VCard& card) : card_(card) {}

    VCardRecord Map()
    {
        for (const VCardProperty& p : card_.properties) {
            if (!Take(p) && !IsBookkeeping(p.name))
                ++record_.skipped[QString::fromLatin1(p.name)];
        }
        if (v(ExLast).isEmpty() && v(ExFirst).isEmpty())
            NameFromFormatted();
        return std::move(record_);
    }

private:
    QString& v(ExportField field) { return record_.values[static_cast<std::size_t>(field)]; }

    // Fills the field when it is still empty; false when it already holds a value.
    bool Fill(ExportField field, const QString& value)
    {
        if (!v(field).isEmpty())
            return false;
        v(field) = value;
        return true;
    }

    enum Kind { Other, N, Org, Title, Adr, Tel, Email, Url, Note, Categories, Date };

    static Kind KindOf(const QByteArray& name)
    {
        static constexpr std::pair<std::string_view, Kind> kinds[] = {
            {"N", N},
            {"ORG", Org},
            {"TITLE", Title},
            {"ADR", Adr},
            {"TEL", Tel},
            {"EMAIL", Email},
            {"URL", Url},
            {"NOTE", Note},
            {"CATEGORIES", Categories},
            {"X-ADDRINA-DATE", Date},
        };
        const std::string_view wanted(name.constData(), static_cast<std::size_t>(name.size()));
        for (const auto& [text, kind] : kinds)
            if (text == wanted)
                return kind;
        return Other;
    }

    bool Take(const VCardProperty& p)
    {
        const Kind kind = KindOf(p.name);
        if (kind == Other)
            return false;
        const auto text = [&p] { return Unescaped(p.value).trimmed(); };
        if (kind == N)
            return Name(p);
        if (kind == Org) {
            const VCardParts parts = VCardComponents(p.value);
            QStringList units;
            for (int i = 0; i < parts.size(); ++i)
                if (const QString unit = Part(parts, i); !unit.isEmpty())
                    units << unit;
            return Fill(ExOrg, units.join(QStringLiteral(", ")));
        }
        if (kind == Title)
            return Fill(ExTitle, text());
        if (kind == Adr)
            return Address(p);
        if (kind == Tel)
            return Phone(p, text());
        if (kind == Email)
            return Fill(ExEmail, text());
        if (kind == Url)
            return Fill(ExWebPage, text());
        if (kind == Note)
            return Fill(ExComments, Unescaped(p.value));
        if (kind == Categories) {
            const QString codes = ListPart({p.value}, 0, u",");
            v(ExCodes) = v(ExCodes).isEmpty() ? codes : v(ExCodes) + u',' + codes;
            return true;
        }
        return Fill(ExDate, StoredDateFromIso(text()));
    }

    bool Name(const VCardProperty& p)
    {
        if (named_)
            return false;
        named_ = true;
        const VCardParts parts = VCardComponents(p.value);
        v(ExLast) = Part(parts, 0);
        v(ExFirst) = Part(parts, 1);
        v(ExMiddle) = ListPart(parts, 2, u" ").left(1);
        v(ExPrefix) = ListPart(parts, 3, u" ");
        return true;
    }

    // A card that names no one in N: the formatted name's last word is the last name.
    void NameFromFormatted()
    {
        const VCardProperty* formatted = card_.Find("FN");
        if (!formatted)
            return;
        const QString name = Unescaped(formatted->value).simplified();
        const qsizetype blank = name.lastIndexOf(u' ');
        if (blank < 0)
            v(ExLast) = name;
        else {
            v(ExFirst) = name.left(blank);
            v(ExLast) = name.mid(blank + 1);
        }
    }

    bool Address(const VCardProperty& p)
    {
        if (addressed_)
            return false;
        addressed_ = true;
        const VCardParts parts = VCardComponents(p.value);
        const QString street = Part(parts, 2);
        const QString extended = Part(parts, 1);
        const QString postBox = Part(parts, 0);
        if (street.contains(u'\n')) {
            QStringList streets = street.split(u'\n');
            for (QString& line : streets)
                line = line.trimmed();
            streets.removeAll(QString());
            v(ExStreet) = streets.value(0);
            v(ExStreet2) = !extended.isEmpty() ? extended : streets.mid(1).join(QStringLiteral(", "));
        } else {
            v(ExStreet) = street;
            v(ExStreet2) = extended;
        }
        if (!postBox.isEmpty() && !Fill(ExStreet, postBox))
            Fill(ExStreet2, postBox);
        v(ExCity) = Part(parts, 3);
        v(ExState) = Part(parts, 4);
        v(ExZip) = Part(parts, 5);
        v(ExCountry) = Part(parts, 6);
        return true;
    }

    bool Phone(const VCardProperty& p, QString number)
    {
        // 4.0 may give the number as a tel: address.
        if (number.startsWith(QStringLiteral("tel:"), Qt::CaseInsensitive))
            number = number.mid(4);
        if (HasType(p, u"FAX"))
            return Fill(ExFax, number);
        return Fill(ExPhone, number) || Fill(ExPhone2, number);
    }

    const VCard& card_;
    VCardRecord record_;
    bool named_ = false;
    bool addressed_ = false;
};

} // namespace

VCardRecord MapVCard(const VCard& card)
{
    return Mapper(card).Map();
}

QString DescribeSkipped(const QMap<QString, int>& skipped)
{
    std::vector<std::pair<QString, int>> counts(skipped.keyValueBegin(), skipped.keyValueEnd());
    std::stable_sort(counts.begin(), counts.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    QStringList parts;
    for (const auto& [name, count] : counts)
        parts << QStringLiteral("%1 (%2)").arg(name).arg(count);
    return parts.join(QStringLiteral(", "));
}
