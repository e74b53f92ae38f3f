// Text files to import are outside input: any bytes must decode, split into lines and
// values without harm, and the values must account for the line they came from; read
// as standard CSV too.

#include "exchange/importline.h"
#include "exchange/importtext.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TextEncoding encoding = TextEncoding::Utf8;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    ImportText text;
    text.SetText(DecodeImportText(bytes, encoding), encoding);
    long lines = 0;
    QStringView line;
    QStringList values;
    while (text.NextLine(line)) {
        ++lines;
        SplitImportLine(line, values);
        const qsizetype commas = line.count(QLatin1Char(',')) + line.count(QChar(127));
        if (values.isEmpty() || values.size() > commas + 1)
            std::abort();
        // Values keep every character but separating commas and removed outer quotes.
        qsizetype kept = values.size() - 1;
        for (const QString& value : values) {
            if (value.contains(QChar(127)))
                std::abort();
            kept += value.size();
        }
        if (kept > line.size())
            std::abort();
        // Without quotes a line is cut at every comma and nothing else.
        const bool plain = !line.contains(QLatin1Char('"')) && !line.contains(QChar(127));
        if (plain && values != line.toString().split(QLatin1Char(',')))
            std::abort();
    }
    if (lines != text.LineCount())
        std::abort();
    // Read as standard CSV, every record moves on and no value is longer than its record.
    long records = 0;
    long spanned = 0;
    long took = 0;
    text.Rewind();
    while (text.NextCsvRecord(values, took)) {
        ++records;
        spanned += took;
        if (values.isEmpty() || took < 1)
            std::abort();
    }
    if (records != text.CsvRecordCount() || records > lines || spanned > lines + 1)
        std::abort();
    return 0;
}
