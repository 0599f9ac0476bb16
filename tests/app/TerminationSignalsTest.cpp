// Termination signals become a request on the GUI thread while the object lives, and only then;
// a second signal ends the process as if nothing caught it.
#include "TerminationSignals.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>

#include "ProcessingWait.h"

namespace {

std::atomic<int> earlierHandlerCalls{0};
extern "C" void CountCall(int) {
    ++earlierHandlerCalls;
}

TEST(TerminationSignalsTest, EachSignalIsARequestAndTheEarlierHandlerReturnsAfterwards) {
    const auto earlier = std::signal(SIGHUP, CountCall);
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        TerminationSignals first;
        TerminationSignals second;  // installs nothing: the first one answers
        int requests = 0;
        int secondRequests = 0;
        QObject::connect(&first, &TerminationSignals::Requested, [&] { ++requests; });
        QObject::connect(&second, &TerminationSignals::Requested, [&] { ++secondRequests; });
        std::raise(signal);
        EXPECT_TRUE(WaitProcessingEvents([&] { return requests == 1; }, 10000))
            << "signal " << signal;
        EXPECT_EQ(secondRequests, 0);
    }
    EXPECT_EQ(earlierHandlerCalls.load(), 0);
    std::raise(SIGHUP);
    EXPECT_EQ(earlierHandlerCalls.load(), 1);
    std::signal(SIGHUP, earlier);
}

TEST(TerminationSignalsTest, ASecondSignalEndsAStuckProgramAtOnce) {
    EXPECT_EXIT(
        {
            TerminationSignals handler;
            std::raise(SIGTERM);  // never taken: the event loop does not turn
            std::raise(SIGTERM);
            std::exit(0);
        },
        ::testing::KilledBySignal(SIGTERM), "");
}

}  // namespace
