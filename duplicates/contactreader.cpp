#include "duplicates/contactreader.h"

#include "table/tableerror.h"
#include "table/tfield.h"
#include "table/ttable.h"
#include "xbase/engine.h"
#include "xbase/parallel.h"

#include <cstring>

namespace {

// Below this many records one thread keys them sooner than two start.
constexpr std::size_t kRecordsWorthSplitting = 5000;

} // namespace

Contact ContactOf(long position, const std::function<QString(std::size_t field)>& value)
{
    Contact contact;
    contact.position = position;
    contact.first = value(0);
    contact.last = value(1);
    contact.street = value(2);
    contact.zip = value(3);
    contact.country = value(4);
    contact.email = value(5);
    contact.phones = {value(6), value(7), value(8)};
    return contact;
}

std::vector<MatchKeys> ReadMatchKeys(TTable& table, const QString& defaultRegion, GivenNames given)
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

    std::array<const TField*, kContactFields.size()> fields{};
    for (std::size_t i = 0; i < fields.size(); ++i)
        fields[i] = &table.FieldByName(QString::fromLatin1(kContactFields[i]));

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
        // One contact whose strings keep their room from record to record: no string is
        // made for a field.
        Contact contact = ContactOf(0, [](std::size_t) { return QString(); });
        const std::array<QString*, kContactFields.size()> texts{
            &contact.first, &contact.last,      &contact.street,    &contact.zip,      &contact.country,
            &contact.email, &contact.phones[0], &contact.phones[1], &contact.phones[2]};
        read[static_cast<std::size_t>(part)] = file.readRange(first, last, [&](long recno, const char* bytes) {
            if (!shown[static_cast<std::size_t>(recno)] || (deletedAt > 0 && std::strchr("TtYy", bytes[deletedAt])))
                return;
            record.recNo = recno;
            record.bytes.assign(bytes, static_cast<std::size_t>(file.recordLength()));
            for (std::size_t i = 0; i < texts.size(); ++i)
                fields[i]->AsStringInto(record, *texts[i]);
            contact.position = recno;
            MatchKeys& made = keys.emplace_back(BlockingKeysOf(contact, defaultRegion));
            if (given == GivenNames::Keyed)
                KeyGivenName(made);
        });
    });
    if (std::find(read.begin(), read.end(), 0) != read.end())
        throw TableError(QStringLiteral("The address file's records cannot be read"));
    std::vector<MatchKeys> keys = std::move(keysOfPart.front());
    for (std::size_t part = 1; part < keysOfPart.size(); ++part)
        keys.insert(keys.end(), keysOfPart[part].begin(), keysOfPart[part].end());
    return keys;
}
