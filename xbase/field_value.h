#pragma once
// Converting values to and from the stored bytes of one field.

#include "xbase/dbf_header.h"
#include "xbase/expression.h"

#include <string>
#include <string_view>

namespace xb {

// Stores a value into the field's bytes of a record. Numbers are right-aligned
// with the field's decimals (stars when they do not fit), texts blank-padded or
// cut, logicals T/F, dates yyyymmdd. The value's type need not match the
// field's: a text for a numeric field is read as a number, and so on.
bool storeText(const DbfField& field, char* record, std::string_view text, std::string& error);
bool storeNumber(const DbfField& field, char* record, double value, std::string& error);
bool storeLogical(const DbfField& field, char* record, bool value, std::string& error);

// A date field's value in a display format (0 American ... 6 Spanish), with a
// four-digit year when century is on; blank dates give an empty text.
std::string formatDate(std::string_view yyyymmdd, int dateFormat, bool century);

// The field's value as text for people: characters without trailing blanks,
// numbers as stored without leading blanks (binary ones in plain decimal), dates
// yyyymmdd, date-times yyyymmdd hh:mm:ss, logicals T/F (or blank).
std::string fieldText(const DbfField& field, const char* record);

} // namespace xb
