// Splitting bulk work: every part runs once, and a failure in any part reaches
// the caller only after all parts have ended.
#include "xbase/parallel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

TEST(Parallel, SmallJobsStayOnOneThread)
{
    EXPECT_EQ(xb::partsFor(10, 1000), 1);
    EXPECT_EQ(xb::partsFor(1000, 1000), std::thread::hardware_concurrency() >= 2 ? 2 : 1);
}

TEST(Parallel, EveryPartRunsAndTheLowestFailureIsRethrown)
{
    std::atomic<int> ran{0};
    std::atomic<int> mask{0};
    try {
        xb::runParts(3, [&](int part) {
            ran.fetch_add(1);
            mask.fetch_or(1 << part);
            if (part > 0)
                throw std::runtime_error("part " + std::to_string(part));
        });
        ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "part 1");
    }
    EXPECT_EQ(ran.load(), 3);
    EXPECT_EQ(mask.load(), 7);

    std::thread::id helper, caller = std::this_thread::get_id();
    xb::runParts(2, [&](int part) {
        if (part == 1)
            helper = std::this_thread::get_id();
    });
    EXPECT_NE(helper, caller);
    EXPECT_NO_THROW(xb::runParts(1, [](int part) { EXPECT_EQ(part, 0); }));
}

} // namespace
