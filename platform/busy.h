#pragma once

// The hourglass cursor over the whole application during long work. Calls nest: the
// normal cursor comes back with the EndBusy that matches the first BeginBusy, and an
// EndBusy without a BeginBusy does nothing.
void BeginBusy();
void EndBusy();
int BusyDepth();

// Shows the hourglass for the life of the object, so an exception cannot leave it on.
class BusyCursor {
public:
    BusyCursor() { BeginBusy(); }
    ~BusyCursor() { EndBusy(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
