#pragma once
// A tag as a navigation order of a work area, optionally bounded by a scope.

#include <string>

#include "xbase/cdx/cursor.h"
#include "xbase/cdx/key_maker.h"
#include "xbase/order.h"
#include "xbase/table.h"

namespace xb::cdx {

class TagOrder final : public Order {
public:
    TagOrder(Tag& tag, const KeyMaker& keys, Table& table) : tag_(tag), keys_(keys), table_(table), cursor_(tag) {}

    long first() override;
    long last() override;
    long next(long recno) override;
    long prev(long recno) override;
    long seek(std::string_view key) override;
    std::string keyOf(long recno) override;

    // Keys outside [low, high], each compared over its own length, are left out;
    // an empty bound is open.
    void setScope(std::string low, std::string high);
    // The last damage met while moving (the move then ended the order).
    const std::string& damage() const { return damage_; }

private:
    template <typename F>
    long guarded(F move);
    long here();
    // Puts the cursor on the record's entry, or on the entry after where it would be.
    enum class Place { OnIt, After, Nowhere };
    Place place(long recno);

    Tag& tag_;
    const KeyMaker& keys_;
    Table& table_;
    Cursor cursor_;
    std::string low_, high_;
    std::string key_;
    std::string damage_;
};

} // namespace xb::cdx
