#include "table/controlsscope.h"

#include "table/ttable.h"

ControlsScope::ControlsScope(TTable& table, bool on) : table_(table), on_(on)
{
    if (on_)
        table_.DisableControls();
}

ControlsScope::~ControlsScope()
{
    if (on_)
        table_.EnableControls();
}
