#include "canvas/TestRun.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct Sentinel {
    bool* destroyed;
    ~Sentinel() { *destroyed = true; }
};

TestRun countTo(int n, int& reached, bool& destroyed)
{
    Sentinel sentinel{&destroyed};
    for (int i = 1; i <= n; ++i) {
        reached = i;
        co_await DoEvents{};
    }
}

TestRun failAfterOneStep()
{
    co_await DoEvents{};
    throw std::runtime_error("broken pattern");
}

} // namespace

TEST(TestRun, StopsAtEveryDoEventsAndCountsThem)
{
    int reached = 0;
    bool destroyed = false;
    TestRun run = countTo(3, reached, destroyed);
    EXPECT_EQ(reached, 0); // nothing runs before the first resume
    EXPECT_TRUE(run.resume());
    EXPECT_EQ(reached, 1);
    runToCompletion(run);
    EXPECT_EQ(reached, 3);
    EXPECT_EQ(run.events(), 3u);
    EXPECT_TRUE(run.finished());
    EXPECT_FALSE(run.resume());
}

TEST(TestRun, DestroyingASuspendedRunStopsItAndReleasesItsState)
{
    int reached = 0;
    bool destroyed = false;
    {
        TestRun run = countTo(1000, reached, destroyed);
        run.resume();
        run.resume();
        TestRun movedTo = std::move(run); // a move hands the run over, once
        EXPECT_TRUE(run.finished());
        movedTo.resume();
        EXPECT_FALSE(destroyed);
    }
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(reached, 3);
}

TEST(TestRun, ASliceEndsWhenItsBudgetIsSpent)
{
    int reached = 0;
    bool destroyed = false;
    TestRun run = countTo(100, reached, destroyed);
    EXPECT_TRUE(runSlice(run, std::chrono::nanoseconds(0)));
    EXPECT_EQ(reached, 1); // a spent budget still makes one step of progress
    EXPECT_FALSE(runSlice(run, std::chrono::hours(1)));
    EXPECT_EQ(reached, 100);
}

TEST(TestRun, AnExceptionInThePatternComesOutOfResume)
{
    TestRun run = failAfterOneStep();
    EXPECT_TRUE(run.resume());
    EXPECT_THROW(run.resume(), std::runtime_error);
    EXPECT_TRUE(run.finished());
}
