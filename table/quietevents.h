#pragma once
// Keeps chosen record-event handlers of a table from running for a scope, and puts them
// back on every way out, exceptions included:
//
//   {
//       QuietEvents quiet(table, {&TTable::AfterEdit, &TTable::AfterPost});
//       ...                                   // writing many records, no handler runs
//   }
//
// The table's data-aware controls are ControlsScope's business.

#include "table/ttable.h"

#include <initializer_list>
#include <utility>
#include <vector>

class QuietEvents {
public:
    using Handler = TTable::Event TTable::*;

    QuietEvents(TTable& table, std::initializer_list<Handler> handlers);
    ~QuietEvents();
    QuietEvents(const QuietEvents&) = delete;
    QuietEvents& operator=(const QuietEvents&) = delete;

private:
    TTable& table_;
    std::vector<std::pair<Handler, TTable::Event>> kept_;
};
