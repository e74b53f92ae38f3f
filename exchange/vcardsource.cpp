#include "exchange/vcardsource.h"

#include "exchange/vcardmapping.h"

VCardImportSource::VCardImportSource(QByteArrayView data, const TTable& table, long expected)
    : reader_(data), fields_(table), expected_(expected)
{}

bool VCardImportSource::Next(std::vector<ImportValue>& values)
{
    values.clear();
    if (!reader_.Next(card_)) {
        if (!reader_.Error().isEmpty())
            throw ImportReadError{reader_.Error()};
        return false;
    }
    line_ = card_.line;
    const VCardRecord record = MapVCard(card_);
    for (int i = 0; i < ExportFieldCount; ++i) {
        const QString& text = record.values[static_cast<std::size_t>(i)];
        if (!text.isEmpty())
            values.push_back({&fields_[i], text});
    }
    for (auto it = record.skipped.cbegin(); it != record.skipped.cend(); ++it)
        skipped_[it.key()] += it.value();
    return true;
}
