#pragma once
// Keeps a table's data-aware controls from following it for a scope, and lets them follow
// again on every way out, exceptions included. Scopes nest as DisableControls does:
//
//   {
//       ControlsScope quiet(table);
//       for (table.First(); !table.Eof(); table.Next()) ...   // no control repaints per record
//   }                                                         // one whole-record change here
//
// An inactive scope (on = false) does nothing, for code that quiets controls only sometimes.

class TTable;

class ControlsScope {
public:
    explicit ControlsScope(TTable& table, bool on = true);
    ~ControlsScope();
    ControlsScope(const ControlsScope&) = delete;
    ControlsScope& operator=(const ControlsScope&) = delete;

private:
    TTable& table_;
    bool on_;
};
