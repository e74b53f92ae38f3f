#pragma once
// The text lines of one address label, composed from a record's fields by the address
// parts the label uses. Plain functions, so the rules are testable without a window.

#include "labels/labellayout.h"

#include <QStringList>
#include <functional>
#include <optional>

class TTable;

// A record's field by name (upper case, as "LNAME"), without trailing blanks; nothing when
// the field or the record is missing.
using AddressFieldReader = std::function<std::optional<QString>(const QString& fieldName)>;

// The value with its leading blanks removed and one blank after it; nothing for an empty
// or all-blank value.
QString AddressPart(const QString& value);

// "Mr John Q. Smith ": prefix, first name, middle name with a period, last name, each
// followed by one blank, empty parts left out.
QString ComposeNameLine(const QString& prefix, const QString& first, const QString& middle, const QString& last);

// The label's lines in order: name, title, organization, two streets, city line, country
// line, phone; empty lines are left out. A field that cannot be read ends the composition
// with the lines made so far.
QStringList ComposeLabelLines(const AddressFieldReader& field, const LabelLineOptions& options);

// Reads the current record of an open table; nothing while it is closed or has no record.
AddressFieldReader TableFieldReader(const TTable& table);
