#pragma once
// The text lines of one address label, composed from a record's fields by the address
// parts the label uses. Plain functions, so the rules are testable without a window.

#include "labels/labellayout.h"
#include "report/addressparts.h"

#include <QStringList>
#include <functional>
#include <optional>

class TTable;

// A record's field by name (upper case, as "LNAME"), without trailing blanks; nothing when
// the field or the record is missing.
using AddressFieldReader = std::function<std::optional<QString>(const QString& fieldName)>;

// The label's lines in order: name, title, organization, two streets, city line, country
// line, phone; empty lines are left out. A field that cannot be read ends the composition
// with the lines made so far.
QStringList ComposeLabelLines(const AddressFieldReader& field, const LabelLineOptions& options);

// Reads the current record of an open table; nothing while it is closed or has no record.
AddressFieldReader TableFieldReader(const TTable& table);
