#include "platform/busy.h"

#include <QCursor>
#include <QGuiApplication>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {
bool hourglassShown()
{
    return QGuiApplication::overrideCursor() && QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
}
} // namespace

TEST(Busy, NestedCallsKeepTheHourglassUntilTheOutermostEnds)
{
    BeginBusy();
    BeginBusy();
    EndBusy();
    EXPECT_TRUE(hourglassShown());
    EndBusy();
    EXPECT_FALSE(hourglassShown());
    EXPECT_EQ(BusyDepth(), 0);
}

TEST(Busy, AnUnmatchedEndChangesNothing)
{
    EndBusy();
    EXPECT_EQ(BusyDepth(), 0);
    BeginBusy();
    EXPECT_TRUE(hourglassShown());
    EndBusy();
    EXPECT_FALSE(hourglassShown());
}

TEST(Busy, TheScopeEndsTheHourglassWhenWorkThrows)
{
    try {
        BusyCursor busy;
        throw std::runtime_error("failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(hourglassShown());
}
