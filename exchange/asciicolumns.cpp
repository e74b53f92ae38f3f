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
    if (scan.lines.size() < 2) {
        scan = AsciiScan{};
        return false;
    }
    const auto count = std::min<qsizetype>(scan.lines.front().size(), AsciiScan::kMaxColumns);
    scan.columns.resize(static_cast<std::size_t>(count));
    scan.headerLikely = LooksLikeHeader(scan.lines.front(), targets);
    scan.useHeader = scan.headerLikely;
    NameColumns(scan, targets);
    return true;
}

void NameColumns(AsciiScan& scan, const std::vector<TField*>& targets)
{
    const std::size_t first = scan.useHeader ? 1 : 0;
    QSet<QString> names;
    QSet<TField*> taken;
    for (std::size_t c = 0; c < scan.columns.size(); ++c) {
        AsciiColumn& column = scan.columns[c];
        column = AsciiColumn();
        column.name = NumberedName(static_cast<int>(c));
        for (std::size_t l = first; l < scan.lines.size(); ++l)
            if (c < static_cast<std::size_t>(scan.lines[l].size()))
                column.longest = std::max(column.longest, static_cast<int>(scan.lines[l][c].size()));
        if (!scan.useHeader)
            continue;
        // Headings name the columns, unless blank or repeated: a name picks one column.
        const QString heading = scan.lines.front().at(static_cast<qsizetype>(c)).trimmed();
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
    const auto first = scan.lines.begin() + (scan.useHeader && !scan.lines.empty() ? 1 : 0);
    return std::vector<QStringList>(first, scan.lines.end());
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
    return std::max(0L, text_.LineCount() - (skipHeader_ ? 1 : 0));
}

bool AsciiImportSource::Next(std::vector<ImportValue>& values)
{
    QStringView line;
    if (line_ == 0 && skipHeader_) {
        if (!text_.NextLine(line))
            return false;
        ++line_;
    }
    if (!text_.NextLine(line))
        return false;
    ++line_;
    SplitImportLine(line, split_);
    const auto count = std::min(fields_.size(), static_cast<std::size_t>(split_.size()));
    for (std::size_t c = 0; c < count; ++c)
        if (fields_[c])
            values.push_back({fields_[c], split_[static_cast<qsizetype>(c)]});
    return true;
}
