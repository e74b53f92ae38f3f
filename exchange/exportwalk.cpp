#include "exchange/exportwalk.h"

#include "table/tapollo.h"
#include "table/ttable.h"

#include <QElapsedTimer>

namespace {

// Letting input through costs a look at the event queue; a few times a second is enough
// for Cancel to answer at once, and leaves the copy its speed.
constexpr qint64 InputIntervalMs = 40;

} // namespace

long ExportWalk::Run(const std::function<void()>& copy)
{
    copied_ = 0;
    table_.First();
    total_ = apollo_.QueryRecCount();
    int shown = -1;
    QElapsedTimer sinceInput;
    sinceInput.start();
    while (!table_.Eof()) {
        copy();
        ++copied_;
        const int percent = total_ > 0 ? static_cast<int>(copied_ * 100 / total_) : 100;
        if (gauge && percent != shown)
            gauge(shown = percent);
        table_.Next();
        if (table_.Eof() || (endAtCount && copied_ >= total_))
            break;
        if (letInputThrough && sinceInput.elapsed() >= InputIntervalMs) {
            letInputThrough();
            sinceInput.restart();
        }
        if (stopRequested && stopRequested())
            break;
        if (between)
            between(copied_);
    }
    return copied_;
}
