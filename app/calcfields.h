#pragma once

#include <QString>

// The calculated fields of the address table, from the stored values read without
// trailing blanks.
QString FullNameOf(const QString& first, const QString& middle, const QString& last);
QString FullNameWithPrefixOf(const QString& prefix, const QString& first, const QString& middle,
                             const QString& last);
QString CityStateZipOf(const QString& city, const QString& state, const QString& zip);
// A record is tagged when its tag equals the current tag id; with no tag id, none is.
bool IsTagged(const QString& tag, const QString& tagId);
