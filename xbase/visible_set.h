#pragma once
// Which records of a table a filter and the delete switch let through, found by one
// pass over the table in file order (split over the cores). A count, and a walk in tag
// order to the first match, then ask a bit instead of reading each record they visit.
//
// A set answers only for the state it was taken in (the table's change number, its
// record count, the delete and exact switches); the work area keeps it current for its
// own record writes and otherwise asks records again.

#include "xbase/table.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace xb {

// What a set was taken for: the same stamp, the same answers.
struct VisibleStamp {
    unsigned long changes = 0; // Table::changes()
    long records = 0;
    bool deleted = false; // marked records hidden
    bool exact = false;
    bool operator==(const VisibleStamp&) const = default;
};

class VisibleSet {
public:
    // Evaluates filterText ("" for none) on every record; false when a record cannot
    // be read or the filter does not compile, with the set left empty.
    bool take(const Table& table, const std::string& filterText, const VisibleStamp& stamp);
    void clear() { stamp_.reset(); }

    bool current(const VisibleStamp& now) const { return stamp_ && *stamp_ == now; }
    bool contains(long recno) const;
    long count() const { return count_; }
    // One record rewritten in place: its answer, and the stamp the table has after it.
    void update(long recno, bool visible, const VisibleStamp& now);

private:
    std::vector<std::uint64_t> bits_; // bit (recno - 1)
    long count_ = 0;
    std::optional<VisibleStamp> stamp_;
};

} // namespace xb
