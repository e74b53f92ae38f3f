#include "exchange/knowncontacts.h"

#include "addressfile/runrecords.h"
#include "duplicates/contactreader.h"
#include "duplicates/phonekey.h"
#include "table/tapollo.h"
#include "table/tfield.h"

ContactIndex KnownContacts(TTable& table, TApollo& apollo)
{
    const QString query = apollo.DBFilter();
    apollo.Query(QString::fromLatin1(LiveRecordsQuery));
    std::vector<MatchKeys> keys = ReadMatchKeys(table, DefaultRegion(), GivenNames::Pending);
    apollo.Query(query);
    return ContactIndex(std::move(keys));
}

SkipKnownSource::SkipKnownSource(ImportSource& source, ContactIndex known, MatchLevel level)
    : source_(source), known_(std::move(known)), level_(level), region_(DefaultRegion())
{}

int SkipKnownSource::SlotOf(const TField* field)
{
    // Every record names the same few fields: each is looked up by its name once.
    for (const auto& [known, slot] : slots_)
        if (known == field)
            return slot;
    int slot = -1;
    for (std::size_t i = 0; field && slot < 0 && i < kContactFields.size(); ++i)
        if (field->FieldName().compare(QLatin1String(kContactFields[i]), Qt::CaseInsensitive) == 0)
            slot = static_cast<int>(i);
    slots_.emplace_back(field, slot);
    return slot;
}

bool SkipKnownSource::Next(std::vector<ImportValue>& values)
{
    while (source_.Next(values)) {
        std::array<const QString*, kContactFields.size()> texts{};
        for (const ImportValue& v : values)
            if (const int slot = SlotOf(v.field); slot >= 0 && !texts[static_cast<std::size_t>(slot)])
                texts[static_cast<std::size_t>(slot)] = &v.text;
        const auto value = [&texts](std::size_t field) { return texts[field] ? *texts[field] : QString(); };
        const Contact contact = ContactOf(source_.Position(), value);
        MatchKeys keys = BlockingKeysOf(contact, region_);
        if (!known_.Meets(keys))
            return true;
        KeyGivenName(keys);
        if (!known_.Match(keys, level_))
            return true;
        skipped_.append(source_.Position());
        values.clear();
    }
    return false;
}
