#pragma once
// The plug-in point for a table's structural compound index. The index layer
// implements StructuralIndex and defines openStructuralIndex; the work area owns
// the index, registers it as its table's observer (so every write reaches it) and
// navigates through its orders.

#include "xbase/order.h"
#include "xbase/table.h"

#include <memory>
#include <string>

namespace xb {

class StructuralIndex : public TableObserver {
public:
    virtual int orderCount() const = 0;                  // number of tags
    virtual Order* order(int number) = 0;                // 1..orderCount()
    virtual std::string orderName(int number) const = 0; // tag name
    virtual std::string path() const = 0;                // the index file
};

// Opens the structural index of a table whose header flags one. nullptr with a
// message when it cannot be opened. Defined by the index layer.
std::unique_ptr<StructuralIndex> openStructuralIndex(Table& table, std::string& error);

} // namespace xb
