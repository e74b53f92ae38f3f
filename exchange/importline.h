#pragma once
// Splitting one line of a delimited text file into its values. A comma inside double
// quotes belongs to the value; a value wrapped in double quotes loses them. Nothing else
// is changed: no blanks trimmed, doubled quotes inside a value stay doubled.

#include <QString>
#include <QStringList>
#include <QStringView>

// Values of a line, outer quotes removed. An empty line gives one empty value; a
// trailing comma gives a last empty value. Clears values first.
void SplitImportLine(QStringView line, QStringList& values);
QStringList SplitImportLine(QStringView line);
