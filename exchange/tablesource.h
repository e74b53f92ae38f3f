#pragma once
// Another table as the source of an import: each record of it gives one record, field by
// field as the pairs say. Texts travel as the table component renders them (numbers,
// logicals and dates as text); a table whose code page mark names another code page
// than Windows-1252 has its texts converted from that code page.

#include "exchange/importloop.h"

#include <QString>
#include <QStringDecoder>
#include <vector>

class TField;
class TTable;

struct TablePair {
    TField* from;
    TField* to;
};

// The name of the code page a DBF file's header marks (its language driver byte), as
// the text converter knows it; "windows-1252" when unmarked or unknown.
QByteArray DbfCodePage(const QString& path);

class TableImportSource : public ImportSource {
public:
    // Reads the open table from its first record on; recordCount is its record count,
    // for the gauge. A pair whose source is a memo, or with a field missing, is left out.
    TableImportSource(TTable& source, long recordCount, const std::vector<TablePair>& pairs,
                      const QByteArray& codePage = QByteArrayLiteral("windows-1252"));
    long Expected() override;
    bool Next(std::vector<ImportValue>& values) override;
    long Position() const override { return position_; }

private:
    QString Text(const TField& field);

    TTable& source_;
    std::vector<TablePair> pairs_;
    QStringDecoder decoder_;
    long count_;
    bool convert_;
    bool started_ = false;
    long position_ = 0;
};
