#include "BoundedTransfer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// A descriptor that poll() reports ready while reads keep giving nothing: the transfer must
// still end at its deadline. The attempt gives up by itself after many tries, so that a loop
// without its own deadline check fails here instead of hanging.
TEST(BoundedTransferTest, EndsAtTheDeadlineEvenWhenTheWaitKeepsReportingReady) {
    constexpr int GiveUpAfter = 1000;
    struct Case {
        const char* name;
        std::vector<TransferStep> steps;  // the last one repeats
        TransferResult result;
    };
    const Case cases[] = {
        {"ready, but nothing comes", {TransferStep::WouldBlock}, TransferResult::TimedOut},
        {"a part, then nothing more",
         {TransferStep::Again, TransferStep::WouldBlock},
         TransferResult::TimedOut},
        {"what is there is taken with no time left", {TransferStep::Done}, TransferResult::Done},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int attempts = 0;
        const auto attempt = [&] {
            ++attempts;
            if (attempts >= GiveUpAfter) {
                return TransferStep::Failed;
            }
            return c.steps[std::min<std::size_t>(attempts, c.steps.size()) - 1];
        };
        const Deadline noTimeLeft(0);
        EXPECT_EQ(TransferUntil(noTimeLeft, attempt, [] { return WaitResult::Ready; }), c.result);
    }
}

}  // namespace
