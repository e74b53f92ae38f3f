#pragma once
// The pieces an address is printed from, shared by the record's text and the labels.

#include <QString>

// The value with its leading blanks removed and one blank after it; nothing for an empty
// or all-blank value.
QString AddressPart(const QString& value);

// "Mr John Q. Smith ": prefix, first name, middle name with a period, last name, each
// followed by one blank, empty parts left out.
QString ComposeNameLine(const QString& prefix, const QString& first, const QString& middle, const QString& last);
