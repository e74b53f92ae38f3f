#pragma once
// Splitting one line of a delimited text file into its values. A comma inside double
// quotes belongs to the value; a value wrapped in double quotes loses them. Nothing else
// is changed: no blanks trimmed, doubled quotes inside a value stay doubled.

#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

// Values of a line, outer quotes removed. An empty line gives one empty value; a
// trailing comma gives a last empty value. Clears values first.
void SplitImportLine(QStringView line, QStringList& values);
QStringList SplitImportLine(QStringView line);
// The same values as views, without a copy of each: into line itself, or into held (the
// line copied, when it has quotes, for its quoted commas to be told apart). They stay valid
// while line and held are unchanged. Clears values first.
void SplitImportLine(QStringView line, QString& held, std::vector<QStringView>& values);

// Standard CSV (RFC 4180), as spreadsheets and webmail write it: a value that begins with
// a double quote runs to the quote that closes it and may hold commas, line breaks and
// doubled quotes (each read as one); anything after the closing quote, up to the comma,
// joins the value. Splits the record starting at from into values (when given; they are
// cleared first) and gives where the next record starts: after the line feed that ends
// this one outside quotes (a carriage return before it dropped), or the text's end.
qsizetype SplitCsvRecord(QStringView text, qsizetype from, QStringList* values);
