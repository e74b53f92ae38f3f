#pragma once
// Phone numbers and postal codes as matching compares them.
//
//   PhoneKey("(312) 555-0100", "US") == PhoneKey("+1 312 555 0100", "DE")   // "13125550100"

#include <QString>

// The two-letter region a record's country names ("USA", "Deutschland", "fr"), or
// fallback when the country is empty or not known.
QString RegionOfCountry(const QString& country, const QString& fallback);

// The region of the user's locale, "US" when it names none.
QString DefaultRegion();

// The number's E.164 digits (country code first) read in the region; the bare digits when
// it cannot be read as a number; empty for fewer than five digits. The Into forms make
// the key into a string whose room is kept between calls.
QString PhoneKey(const QString& phone, const QString& region);
void PhoneKeyInto(QStringView phone, const QString& region, QString& into);

// The first five digits of a US ZIP code; elsewhere the whole code folded, without blanks.
QString PostalKey(const QString& code, const QString& region);
void PostalKeyInto(QStringView code, const QString& region, QString& into);
