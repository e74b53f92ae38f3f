#pragma once
// The comma-delimited text file of a copy: one line per record, each of the 20 values
// between double quotes exactly as it stands (an inner quote is written as it is, since
// programs that read these files rely on that), separated by single commas, ended by CR LF.
// No heading line. The bytes are the address file's own code page, Windows-1252.

#include "exchange/exportfields.h"

#include <QByteArray>

void AppendTextLine(const ExportValues& values, QByteArray& out);
