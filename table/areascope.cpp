#include "table/areascope.h"

#include "xbase/sx.h"

AreaScope::AreaScope(int area) : area_(area), previous_(0)
{
    if (area_ != 0)
        previous_ = sx_Select(area_);
}

AreaScope::~AreaScope()
{
    if (previous_ != 0 && previous_ != area_)
        sx_Select(previous_);
}
