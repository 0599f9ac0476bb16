#include "Deadline.h"

#include <gtest/gtest.h>

#include <climits>

using namespace std::chrono_literals;

TEST(DeadlineTest, RemainingTimeRoundsUpAndNeverGoesNegative) {
    const auto start = Deadline::Clock::now();
    const Deadline deadline(100, start);
    EXPECT_EQ(deadline.remainingMs(start), 100);
    EXPECT_EQ(deadline.remainingMs(start + 99500us), 1) << "a wait must not end early";
    EXPECT_EQ(deadline.remainingMs(start + 100ms), 0);
    EXPECT_EQ(deadline.remainingMs(start + 1h), 0);
    EXPECT_FALSE(deadline.passed(start + 99ms));
    EXPECT_TRUE(deadline.passed(start + 100ms));
}

TEST(DeadlineTest, LongestDeadlineFitsPoll) {
    const auto start = Deadline::Clock::now();
    const Deadline deadline(UINT32_MAX, start);
    EXPECT_EQ(deadline.remainingMs(start), INT_MAX);
}
