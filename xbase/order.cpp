#include "xbase/order.h"

#include "xbase/table.h"

namespace xb {

long NaturalOrder::first()
{
    return table_.recordCount() > 0 ? 1 : 0;
}
long NaturalOrder::last()
{
    return table_.recordCount();
}
long NaturalOrder::next(long recno)
{
    return recno >= 0 && recno < table_.recordCount() ? recno + 1 : 0;
}

long NaturalOrder::prev(long recno)
{
    // From past the end (the phantom record), the step back is the last record.
    if (recno > table_.recordCount())
        return table_.recordCount();
    return recno > 1 ? recno - 1 : 0;
}

} // namespace xb
