#include "duplicates/contactreader.h"

#include "table/tableerror.h"
#include "table/tfield.h"
#include "table/ttable.h"
#include "xbase/engine.h"
#include "xbase/parallel.h"

#include <QHash>
#include <cstring>

namespace {

// Below this many records one thread keys them sooner than two start.
constexpr std::size_t kRecordsWorthSplitting = 5000;

} // namespace

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
    // The records are read as the engine stores them, in large blocks and split over the
    // cores, rather than one by one through the table: the table's moves cost more than
    // the keys.
    xb::WorkArea& area = *xb::Engine::instance().area(table.WorkArea());
    area.countVisible(); // writes a pending record and takes the query's answers at once
    const xb::Table& file = area.table();
    const long count = file.recordCount();
    std::vector<char> shown(static_cast<std::size_t>(count) + 1, 0);
    for (long recno = 1; recno <= count; ++recno)
        shown[static_cast<std::size_t>(recno)] = area.visible(recno);
    const int isdel = file.fieldIndex("ISDEL");
    const int deletedAt = isdel < 0 ? -1 : file.fields()[static_cast<std::size_t>(isdel)].offset;

    QHash<QString, const TField*> fields;
    ContactOf(0, [&](const QString& name) {
        fields.insert(name, &table.FieldByName(name));
        return QString();
    });

    const int parts = xb::partsFor(static_cast<std::size_t>(count), kRecordsWorthSplitting);
    const long perPart = (count + parts - 1) / std::max(parts, 1);
    std::vector<std::vector<MatchKeys>> keysOfPart(static_cast<std::size_t>(parts));
    std::vector<char> read(static_cast<std::size_t>(parts), 1);
    xb::runParts(parts, [&](int part) {
        const long first = part * perPart + 1;
        const long last = std::min(count, (part + 1) * perPart);
        if (first > last)
            return;
        std::vector<MatchKeys>& keys = keysOfPart[static_cast<std::size_t>(part)];
        keys.reserve(static_cast<std::size_t>(last - first + 1));
        TRecordBuffer record;
        const auto value = [&](const QString& name) { return fields.value(name)->AsStringIn(record); };
        read[static_cast<std::size_t>(part)] = file.readRange(first, last, [&](long recno, const char* bytes) {
            if (!shown[static_cast<std::size_t>(recno)] || (deletedAt > 0 && std::strchr("TtYy", bytes[deletedAt])))
                return;
            record.recNo = recno;
            record.bytes.assign(bytes, static_cast<std::size_t>(file.recordLength()));
            keys.push_back(KeysOf(ContactOf(recno, value), defaultRegion));
        });
    });
    if (std::find(read.begin(), read.end(), 0) != read.end())
        throw TableError(QStringLiteral("The address file's records cannot be read"));
    std::vector<MatchKeys> keys = std::move(keysOfPart.front());
    for (std::size_t part = 1; part < keysOfPart.size(); ++part)
        keys.insert(keys.end(), keysOfPart[part].begin(), keysOfPart[part].end());
    return keys;
}
