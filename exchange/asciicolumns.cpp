#include "exchange/asciicolumns.h"

#include "exchange/importline.h"
#include "exchange/importtargets.h"
#include "table/tfield.h"

#include <QSet>
#include <algorithm>

namespace {

QString NumberedName(int column)
{
    return QStringLiteral("Field ") + QString::number(column + 1);
}

// A header line names at least one field and holds nothing an address would (an "@").
bool LooksLikeHeader(const QStringList& first, const std::vector<TField*>& targets)
{
    bool namesField = false;
    for (const QString& value : first) {
        if (value.contains(QLatin1Char('@')))
            return false;
        namesField = namesField || TargetForColumnName(targets, value) != nullptr;
    }
    return namesField;
}

// The scanned lines as the import will read them.
const std::vector<QStringList>& ScannedRows(const AsciiScan& scan)
{
    return scan.useHeader ? scan.csvLines : scan.lines;
}

} // namespace

bool ScanAsciiText(ImportText& text, const std::vector<TField*>& targets, AsciiScan& scan)
{
    scan = AsciiScan();
    scan.encoding = text.Encoding();
    text.Rewind();
    QStringView line;
    while (static_cast<int>(scan.lines.size()) < AsciiScan::kScanLines && text.NextLine(line))
        scan.lines.push_back(SplitImportLine(line));
    text.Rewind();
    QStringList record;
    long lines = 0;
    while (static_cast<int>(scan.csvLines.size()) < AsciiScan::kScanLines && text.NextCsvRecord(record, lines))
        scan.csvLines.push_back(record);
    text.Rewind();
    if (scan.lines.size() < 2) {
        scan = AsciiScan{};
        return false;
    }
    scan.headerLikely = LooksLikeHeader(scan.lines.front(), targets);
    scan.useHeader = scan.headerLikely;
    NameColumns(scan, targets);
    return true;
}

void NameColumns(AsciiScan& scan, const std::vector<TField*>& targets)
{
    const std::vector<QStringList>& rows = ScannedRows(scan);
    const std::size_t first = scan.useHeader ? 1 : 0;
    // The first line's value count is the column count.
    scan.columns.resize(static_cast<std::size_t>(std::min<qsizetype>(rows.front().size(), AsciiScan::kMaxColumns)));
    QSet<QString> names;
    QSet<TField*> taken;
    for (std::size_t c = 0; c < scan.columns.size(); ++c) {
        AsciiColumn& column = scan.columns[c];
        column = AsciiColumn();
        column.name = NumberedName(static_cast<int>(c));
        for (std::size_t l = first; l < rows.size(); ++l)
            if (c < static_cast<std::size_t>(rows[l].size()))
                column.longest = std::max(column.longest, static_cast<int>(rows[l][c].size()));
        if (!scan.useHeader)
            continue;
        // Headings name the columns, unless blank or repeated: a name picks one column.
        const QString heading = rows.front().at(static_cast<qsizetype>(c)).trimmed();
        if (!heading.isEmpty() && !names.contains(heading))
            column.name = heading;
        TField* field = TargetForColumnName(targets, heading);
        if (field && !taken.contains(field)) {
            taken.insert(field);
            column.matched = field->DisplayLabel();
        }
        names.insert(column.name);
    }
}

std::vector<QStringList> SampleLines(const AsciiScan& scan)
{
    const std::vector<QStringList>& rows = ScannedRows(scan);
    const auto first = rows.begin() + (scan.useHeader && !rows.empty() ? 1 : 0);
    return std::vector<QStringList>(first, rows.end());
}

std::vector<TField*> ColumnFields(const std::vector<AsciiColumn>& columns, const std::vector<TField*>& targets)
{
    std::vector<TField*> fields;
    for (const AsciiColumn& column : columns)
        fields.push_back(column.matched.isEmpty() ? nullptr : TargetByLabel(targets, column.matched));
    return fields;
}

AsciiImportSource::AsciiImportSource(ImportText& text, std::vector<TField*> columnFields, bool skipHeader)
    : text_(text), fields_(std::move(columnFields)), skipHeader_(skipHeader)
{
    text_.Rewind();
}

long AsciiImportSource::Expected()
{
    if (skipHeader_)
        return std::max(0L, text_.CsvRecordCount() - 1);
    return text_.LineCount();
}

bool AsciiImportSource::NextRecord()
{
    QStringView line;
    if (!skipHeader_) {
        if (!text_.NextLine(line))
            return false;
        position_ = ++line_;
        SplitImportLine(line, held_, parts_);
        return true;
    }
    long lines = 0;
    if (line_ == 0) {
        if (!text_.NextCsvRecord(split_, lines))
            return false;
        line_ += lines;
    }
    if (!text_.NextCsvRecord(split_, lines))
        return false;
    position_ = line_ + 1;
    line_ += lines;
    parts_.assign(split_.cbegin(), split_.cend());
    return true;
}

bool AsciiImportSource::Next(std::vector<ImportValue>& values)
{
    if (!NextRecord())
        return false;
    // The values are read before the next record is split, so they need no copies of their own.
    const auto count = std::min(fields_.size(), parts_.size());
    for (std::size_t c = 0; c < count; ++c)
        if (fields_[c])
            values.push_back({fields_[c], QString::fromRawData(parts_[c].data(), parts_[c].size())});
    return true;
}
