#pragma once
// A navigation order: the sequence in which a work area visits the records of its
// table. Record order is built in (NaturalOrder); the tags of a structural index
// provide the others. An order knows nothing of filters or delete marks: the work
// area skips the records those hide.

#include <string>
#include <string_view>

namespace xb {

class Table;

class Order {
public:
    virtual ~Order() = default;
    virtual long first() = 0; // 0 when the order is empty
    virtual long last() = 0;
    virtual long next(long recno) = 0; // the record after recno, 0 past the end
    virtual long prev(long recno) = 0; // the record before recno, 0 before the start

    // Seeking: the first record whose key is at or after key (compared over the
    // length of key), 0 when none is. Record order has no keys: 0.
    virtual long seek(std::string_view key)
    {
        (void)key;
        return 0;
    }
    // The key of a record in this order (empty for record order).
    virtual std::string keyOf(long recno)
    {
        (void)recno;
        return {};
    }
};

class NaturalOrder final : public Order {
public:
    explicit NaturalOrder(Table& table) : table_(table) {}
    long first() override;
    long last() override;
    long next(long recno) override;
    long prev(long recno) override;

private:
    Table& table_;
};

} // namespace xb
