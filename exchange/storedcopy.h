#pragma once
// A copy's records laid out byte for byte: each export field's stored text taken from the
// source's current record without its trailing blanks, cut to the target field's width and
// padded with blanks (what TField::AssignStored does for one value), straight into a new
// record of the target, with no field events per value.
//
//   StoredCopy copy(from, to, target);
//   if (copy.Usable()) target.AppendRecord(copy.Record(source));

#include "exchange/exportfields.h"

#include <string>
#include <vector>

class TTable;

class StoredCopy {
public:
    StoredCopy(const ExportFieldSet& from, const ExportFieldSet& to, const TTable& target);

    // False unless every field is stored text on both sides.
    bool Usable() const { return usable_; }
    // The new record for the source's current record, or nullptr when that record is too
    // short to hold the fields.
    const std::string* Record(const TTable& source);

private:
    struct Span {
        std::size_t from;
        std::size_t fromWidth;
        std::size_t to;
        std::size_t toWidth;
    };
    std::vector<Span> spans_;
    std::size_t sourceEnd_ = 0;
    std::string record_;
    bool usable_ = true;
};
