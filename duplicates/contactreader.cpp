#include "duplicates/contactreader.h"

#include "table/tfield.h"
#include "table/ttable.h"

Contact ContactOf(long position, const std::function<QString(const QString& field)>& value)
{
    Contact contact;
    contact.position = position;
    contact.first = value(QStringLiteral("FNAME"));
    contact.last = value(QStringLiteral("LNAME"));
    contact.street = value(QStringLiteral("STREET"));
    contact.zip = value(QStringLiteral("ZIP"));
    contact.country = value(QStringLiteral("COUNTRY"));
    contact.email = value(QStringLiteral("EMAIL"));
    for (const char* phone : {"PHONE", "PHONE2", "FAX"})
        contact.phones.append(value(QString::fromLatin1(phone)));
    return contact;
}

std::vector<MatchKeys> ReadMatchKeys(TTable& table, const QString& defaultRegion)
{
    std::vector<MatchKeys> keys;
    const TField& deleted = table.FieldByName(QStringLiteral("ISDEL"));
    const auto value = [&table](const QString& name) { return table.FieldByName(name).AsString(); };
    for (table.First(); !table.Eof(); table.Next())
        if (!deleted.AsBoolean())
            keys.push_back(KeysOf(ContactOf(table.CurrentRecNo(), value), defaultRegion));
    return keys;
}
