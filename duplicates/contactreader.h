#pragma once
// Contacts read from the address file's fields, or from any other set of values named
// as the address file names its fields (an import's record).

#include "duplicates/matchkeys.h"

#include <array>
#include <functional>
#include <vector>

class TTable;

// The address file's fields a contact is read from.
inline constexpr std::array<const char*, 9> kContactFields{"FNAME", "LNAME", "STREET", "ZIP", "COUNTRY",
                                                           "EMAIL", "PHONE", "PHONE2", "FAX"};

// The contact of the values the function gives for kContactFields, by their index there.
Contact ContactOf(long position, const std::function<QString(std::size_t field)>& value);

// Whether the given names are keyed as the records are read, or kept for KeyGivenName.
enum class GivenNames { Keyed, Pending };

// The keys of every record the table's active query lets through, in record order, the
// record numbers as positions. A record marked deleted (ISDEL) is left out whatever the
// query; the table stays where it stands. Throws TableError when the file cannot be read.
std::vector<MatchKeys> ReadMatchKeys(TTable& table, const QString& defaultRegion, GivenNames given = GivenNames::Keyed);
