#pragma once
// Opens a DBF file into a table: closes the table, names the file, and opens it with the
// file's own field widths. A missing file shows "File <path> not found"; any other
// failure (not a DBF, a declared field missing, locked) is silent, and the caller shows
// its own message. The table is closed whenever this gives false.

#include <QString>

class TTable;

bool OpenTableFile(const QString& path, TTable& table);
