#pragma once
// The columns of a delimited text file chosen for import: a scan of its first lines gives
// their number, names and longest values; matching gives each the field it fills.

#include "exchange/importloop.h"
#include "exchange/importtext.h"

#include <QString>
#include <QStringList>
#include <vector>

class TField;

struct AsciiColumn {
    QString name;    // "Field 1"..., or the heading of a header line
    int longest = 0; // longest value among the scanned lines
    QString matched; // display label of the field it fills; empty when none
};

struct AsciiScan {
    static constexpr int kMaxColumns = 255;
    static constexpr int kScanLines = 10;

    std::vector<AsciiColumn> columns;
    std::vector<QStringList> lines;    // the scanned lines, split
    std::vector<QStringList> csvLines; // the same read as standard CSV, for a header line
    TextEncoding encoding = TextEncoding::Utf8;
    // The first line reads like column names; set by the scan, used by NameColumns.
    bool headerLikely = false;
    // The first line names the columns and is not imported.
    bool useHeader = false;
};

// Scans at most 10 lines of the text. The first line's value count (at most 255) is the
// column count. False when fewer than two lines were read: nothing to import.
bool ScanAsciiText(ImportText& text, const std::vector<TField*>& targets, AsciiScan& scan);

// Names the columns "Field n", or after the header line when useHeader is set; then
// the header's names that name a field are matched to it in advance. A file whose first
// line names its columns is read as standard CSV, as the programs that write such files
// mean it (a quoted value may span lines; doubled quotes are one).
void NameColumns(AsciiScan& scan, const std::vector<TField*>& targets);

// The scanned lines that are records (the header line left out when it names columns).
std::vector<QStringList> SampleLines(const AsciiScan& scan);

// The field each column fills (nullptr when none), found by its matched label.
std::vector<TField*> ColumnFields(const std::vector<AsciiColumn>& columns, const std::vector<TField*>& targets);

// Every line of the text is one record (an empty line a blank one); values beyond the
// column count are ignored, missing ones stay empty. With a header line the first line
// is left out and the rest is read as standard CSV.
class AsciiImportSource : public ImportSource {
public:
    AsciiImportSource(ImportText& text, std::vector<TField*> columnFields, bool skipHeader);
    long Expected() override;
    bool Next(std::vector<ImportValue>& values) override;
    // The line the last record began on.
    long Position() const override { return position_; }

private:
    bool NextRecord();

    ImportText& text_;
    std::vector<TField*> fields_;
    bool skipHeader_;
    long line_ = 0; // lines read so far
    long position_ = 0;
    // The record's values, viewing the line (or held) or, for standard CSV, split_.
    std::vector<QStringView> parts_;
    QString held_;
    QStringList split_;
};
