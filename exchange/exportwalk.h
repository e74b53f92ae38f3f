#pragma once
// The walk every copy makes: the records the table's active query lets through, in its
// current order, from the first. Per record: copy it, count it, move on; the gauge shows the
// share done, and pending user input is let through now and then so Cancel can be pressed.
//
//   ExportWalk walk(table, apollo);
//   walk.stopRequested = [&] { return cancelled; };
//   long copied = walk.Run([&] { write(table); });

#include <functional>

class TApollo;
class TTable;

class ExportWalk {
public:
    ExportWalk(TTable& table, TApollo& apollo) : table_(table), apollo_(apollo) {}

    std::function<void(int percent)> gauge;
    std::function<void()> letInputThrough;
    std::function<bool()> stopRequested;
    // Called after each record that does not end the walk, with the count so far.
    std::function<void(long copied)> between;
    // Also end once as many records as the query counted at the start are copied.
    bool endAtCount = false;

    // Gives the number of records copied; a failure of copy or between ends the walk by
    // its exception, with Copied() telling how far it got.
    long Run(const std::function<void()>& copy);
    long Copied() const { return copied_; }
    // The number the query counted at the start.
    long Total() const { return total_; }

private:
    TTable& table_;
    TApollo& apollo_;
    long copied_ = 0;
    long total_ = 0;
};
