// vCard files come from anywhere. Reading one must either refuse it with a message and no
// cards, or give cards whose mapping to a record, written back as a vCard, keeps every line
// within 75 octets and reads back without error.

#include "exchange/vcardmapping.h"
#include "exchange/vcardreader.h"
#include "exchange/vcardwriter.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const VCardFile file =
        ReadVCards(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (file.error.isEmpty() == file.cards.empty())
        std::abort();
    for (const VCard& card : file.cards) {
        const VCardRecord record = MapVCard(card);
        (void)DescribeSkipped(record.skipped);
        QByteArray written;
        AppendVCard(record.values, written);
        for (const QByteArray& line : written.split('\n'))
            if (line.size() > 76)
                std::abort();
        const VCardFile again = ReadVCards(written);
        if (!again.error.isEmpty() || again.cards.size() != 1)
            std::abort();
    }
    return 0;
}
