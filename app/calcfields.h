#pragma once

#include <QString>

class TField;
class TTable;

// The calculated fields of the address table, from the stored values read without
// trailing blanks.
QString FullNameOf(const QString& first, const QString& middle, const QString& last);
QString FullNameWithPrefixOf(const QString& prefix, const QString& first, const QString& middle, const QString& last);
QString CityStateZipOf(const QString& city, const QString& state, const QString& zip);
// A record is tagged when its tag equals the current tag id; with no tag id, none is.
bool IsTagged(const QString& tag, const QString& tagId);

// The five calculated fields of the address table. Declares them on the (closed) table,
// which must already declare the stored fields, places Tagged first and DisplayDate
// after CODES, and fills them for each record read.
// The fields are looked up once here, not for every record.
class AddressCalcFields {
public:
    explicit AddressCalcFields(TTable& table);

    // Fills the fields of the record being read; the three name and place fields only
    // while FullName is visible.
    void Calculate(const QString& tagId) const;

private:
    TField *Date, *Tag, *First, *Middle, *Last, *Prefix, *City, *State, *Zip;
    TField *DisplayDate, *Tagged, *FullName, *FullNameWithPrefix, *CityStateZip;
};
