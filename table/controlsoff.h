#pragma once
// Keeps a table's data-aware controls quiet for a scope, even when the work inside fails.

#include "table/ttable.h"

class ControlsOff {
public:
    explicit ControlsOff(TTable& table) : table_(table) { table_.DisableControls(); }
    ~ControlsOff() { table_.EnableControls(); }
    ControlsOff(const ControlsOff&) = delete;
    ControlsOff& operator=(const ControlsOff&) = delete;

private:
    TTable& table_;
};
