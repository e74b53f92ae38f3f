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
    std::vector<MatchKeys> keys = ReadMatchKeys(table, DefaultRegion());
    apollo.Query(query);
    return ContactIndex(std::move(keys));
}

SkipKnownSource::SkipKnownSource(ImportSource& source, ContactIndex known, MatchLevel level)
    : source_(source), known_(std::move(known)), level_(level), region_(DefaultRegion())
{}

bool SkipKnownSource::Next(std::vector<ImportValue>& values)
{
    const auto value = [&values](const QString& name) {
        // The lengths first: most names differ in them, and that costs no comparison.
        for (const ImportValue& v : values)
            if (v.field && v.field->FieldName().size() == name.size() &&
                v.field->FieldName().compare(name, Qt::CaseInsensitive) == 0)
                return v.text;
        return QString();
    };
    while (source_.Next(values)) {
        const MatchKeys keys = KeysOf(ContactOf(source_.Position(), value), region_);
        if (!known_.Match(keys, level_))
            return true;
        skipped_.append(source_.Position());
        values.clear();
    }
    return false;
}
