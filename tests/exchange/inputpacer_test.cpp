// Letting input through during a long run: not at every record, but once the interval has
// passed, through whatever function is set at that moment.
#include "exchange/inputpacer.h"

#include <QThread>
#include <gtest/gtest.h>

namespace {

TEST(InputPacer, LetsInputThroughOnceTheIntervalHasPassedThroughTheFunctionSetThen)
{
    int first = 0;
    int second = 0;
    std::function<void()> letThrough;
    InputPacer pacer(letThrough);
    QThread::msleep(InputPacer::IntervalMs + 5);
    pacer.Tick(); // nothing set yet: nothing to call
    letThrough = [&first] { ++first; };
    pacer.Tick();
    EXPECT_EQ(first, 1);
    letThrough = [&second] { ++second; };
    QThread::msleep(InputPacer::IntervalMs + 5);
    pacer.Tick();
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 1);
}

} // namespace
