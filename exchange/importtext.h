#pragma once
// A delimited text file read for import: the whole file decoded once, then handed out
// line by line. Text that is valid UTF-8 (with or without a byte-order mark) is taken
// as UTF-8, anything else as Windows-1252, the code page of older files.

#include <QString>
#include <QStringList>
#include <QStringView>

enum class TextEncoding { Utf8, Windows1252 };

// The text a file's bytes hold (a byte-order mark dropped), and the encoding found.
QString DecodeImportText(const QByteArray& bytes, TextEncoding& encoding);

class ImportText {
public:
    // Reads and decodes the file; false (and no lines) when it cannot be read.
    bool Load(const QString& path);
    // Why the last Load failed, as the system said it.
    const QString& Error() const { return error_; }
    void SetText(const QString& text, TextEncoding encoding);

    TextEncoding Encoding() const { return encoding_; }
    // Lines end at a line feed, a carriage return before it dropped. A line feed that
    // ends the file does not start another line; an empty line after it does.
    long LineCount() const;
    // Starts again at the first line.
    void Rewind() { next_ = 0; }
    // The next line, or false at the end. The view lives as long as this object.
    bool NextLine(QStringView& line);
    // The next record read as standard CSV (a quoted value may span lines), split into
    // values, with the number of lines it took; false at the end.
    bool NextCsvRecord(QStringList& values, long& lines);
    // The records of the whole text read as standard CSV.
    long CsvRecordCount() const;

private:
    QString text_;
    QString error_;
    TextEncoding encoding_ = TextEncoding::Utf8;
    qsizetype next_ = 0;
};
