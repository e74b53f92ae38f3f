#pragma once
// Contacts read from the address file's fields, or from any other set of values named
// as the address file names its fields (an import's record).

#include "duplicates/matchkeys.h"

#include <functional>
#include <vector>

class TTable;

// The contact of the values the function gives for the address file's field names.
Contact ContactOf(long position, const std::function<QString(const QString& field)>& value);

// The keys of every record the table's active query lets through, in record order, the
// record numbers as positions. A record marked deleted (ISDEL) is left out whatever the
// query; the table stays where it stands. Throws TableError when the file cannot be read.
std::vector<MatchKeys> ReadMatchKeys(TTable& table, const QString& defaultRegion);
