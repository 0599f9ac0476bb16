#include "Thread_Write.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "CommandLogQueries.h"
#include "CommandProtocol.h"
#include "FakeGuiThread.h"
#include "ForeignDevice.h"
#include "PseudoTerminal.h"
#include "SimulatedUnitFixture.h"
#include "TemporaryFolder.h"
#include "Thread_Read.h"
#include "WaitUntil.h"

using namespace std::chrono_literals;
using test_support::PortFolderOverride;
using test_support::TemporaryFolder;
using test_support::WaitUntil;

namespace {

using Clock = std::chrono::steady_clock;

// Shows nothing; counts the connection searches begun and runs a hook whenever a search shows
// a given port in the caption (the search holds PortLock then and waits for the hook).
class SearchWatchingDisplay : public ReaderDisplay {
  public:
    std::atomic<int> searchesBegun{0};

    void whileSearching(const std::string& port, std::function<void()> hook) {
        std::lock_guard<std::mutex> guard(lock_);
        hookPort_ = port;
        hook_ = std::move(hook);
    }

    int ActivePageIndex() const override { return 0; }
    unsigned DisplayEpoch() const override { return 0; }
    void PageReset() override { ++searchesBegun; }
    void ShowSearchingCaption(const std::string& port) override {
        std::function<void()> hook;
        {
            std::lock_guard<std::mutex> guard(lock_);
            if (port == hookPort_) {
                hook = hook_;
            }
        }
        if (hook) {
            hook();
        }
    }
    void ShowConnectedCaption(const std::string&) override {}
    void StartModeDisplay(int, bool) override {}
    void StartGeneratorDisplay(const std::string&, const std::string&) override {}
    void StartDelayDisplay(const std::string&) override {}
    void StartShiftDisplay(const std::string&) override {}
    void SpeedModeDisplay(int, bool) override {}
    void SpeedGeneratorDisplay(const std::string&) override {}
    void SpeedFactorDisplay(const std::string&) override {}
    void SpeedValuesDisplay(const std::string&, const std::string&) override {}
    void UnitDeviceDisplay(const std::string&) override {}
    void UnitFirmwareDisplay(const std::string&) override {}
    void InputOutputDisplay(const std::string&, const std::string&) override {}

  private:
    std::mutex lock_;
    std::string hookPort_;
    std::function<void()> hook_;
};

TEST(ThreadWriteTrim, RemovesBlanksAndControlCharactersAtBothEnds) {
    const std::pair<const char*, const char*> cases[] = {
        {"  START.CMD 1  ", "START.CMD 1"},
        {"\tRESET\r\n", "RESET"},
        {"KONFIG.SAVE", "KONFIG.SAVE"},
        {"   ", ""},
        {"", ""},
        {" A B ", "A B"},
    };
    for (const auto& [text, trimmed] : cases) {
        EXPECT_EQ(Thread_Write::Trimmed(text), trimmed) << '"' << text << '"';
    }
}

// A port gone chatty must not keep the closing window waiting for the writer's reply.
TEST(ThreadWriteStop, StopCutsAReplyFromADeviceThatNeverStopsSendingShort) {
    TemporaryFolder folder;
    PortFolderOverride override(folder.path());
    test_support::PseudoTerminal pty(folder, 5);
    test_support::ForeignDevice device(pty, "", "$GPGGA,123519,4807.038,N*47\r\n", 20ms);
    ASSERT_TRUE(test_support::OpenConfigured(5, PortHandle));
    Thread_Write writer;
    ASSERT_TRUE(writer.Start(WorkerThread::Priority::AboveNormal));
    writer.SetSlot1("START.DELAY 250");
    ASSERT_TRUE(WaitUntil([&] { return device.heardCommand(); }));
    const auto start = Clock::now();
    writer.Stop();
    const auto elapsed = Clock::now() - start;
    EXPECT_LT(elapsed, 2000ms)
        << "took " << std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()
        << " ms";
    ComPort_Close(PortHandle);
}

class ThreadWriteTest : public test_support::SimulatedUnitFixture {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startUnit());
        ASSERT_TRUE(test_support::OpenConfigured(5, PortHandle));
        ASSERT_TRUE(writer_.Start(WorkerThread::Priority::AboveNormal));
    }
    void TearDown() override {
        writer_.Stop();
        ComPort_Close(PortHandle);
    }
    std::vector<std::string> texts() const { return test_support::TextsOf(unit_->commands()); }

    Thread_Write writer_;
};

TEST_F(ThreadWriteTest, SendsSlotsInOrderTrimmed) {
    writer_.SetSlot1("  START.DELAY 250 ");
    writer_.SetSlot2("KONFIG.SAVE");
    ASSERT_TRUE(unit_->waitForCommands(2, 5000ms));
    EXPECT_EQ(texts(), (std::vector<std::string>{"START.DELAY 250", "KONFIG.SAVE"}));
    EXPECT_EQ(unit_->storedSettings().startDelayMs, 250u);
}

// After every send the writer looks at slot 1 first again: a command placed there while slot
// 2's command is on its way goes out before slot 3's.
TEST_F(ThreadWriteTest, UnsentCommandIsReplacedTakenOneIsSentAndSlot1ComesFirstAgain) {
    {
        std::unique_lock<TurnLock> hold(PortLock);
        writer_.SetSlot2("START.DELAY 1");
        ASSERT_TRUE(WaitUntil([this] { return writer_.SlotsSnapshot()[1].empty(); }))
            << "the writer takes the command and then waits for the port";
        writer_.SetSlot2("START.DELAY 2");  // sent after the one already taken
        writer_.SetSlot3("START.DELAY 3");
        writer_.SetSlot3("START.DELAY 4");  // replaces 3, which was never taken
        writer_.SetSlot1("START.DELAY 5");
    }
    ASSERT_TRUE(unit_->waitForCommands(4, 5000ms));
    EXPECT_TRUE(WaitUntil([this] { return writer_.SlotsSnapshot()[2].empty(); }));
    EXPECT_EQ(texts(), (std::vector<std::string>{"START.DELAY 1", "START.DELAY 5", "START.DELAY 2",
                                                 "START.DELAY 4"}));
}

TEST_F(ThreadWriteTest, NothingGoesOutWhileTheSlotsAreEmpty) {
    ASSERT_TRUE(WaitUntil([this] {
        std::this_thread::sleep_for(300ms);  // a quiet line is the condition awaited here
        return unit_->commands().empty();
    }));
}

TEST_F(ThreadWriteTest, CommandsAreCutToTheCommandBuffer) {
    writer_.SetSlot1(std::string(150, 'A'));
    ASSERT_TRUE(unit_->waitForCommands(1, 5000ms));
    EXPECT_EQ(texts().at(0), std::string(99, 'A'));
}

// The reader polls all the while; after "RESET" no query may reach the unit for 500 ms.
TEST_F(ThreadWriteTest, ResetHoldsTheLineForHalfASecondAgainstTheReader) {
    test_support::FakeGuiThread gui;
    SearchWatchingDisplay display;
    DeviceStateRecord deviceState;
    {
        std::lock_guard<TurnLock> hold(PortLock);
        ComPort_Close(PortHandle);  // the reader finds the unit itself
    }
    Thread_Read reader(&gui, display, deviceState, '.');
    ASSERT_TRUE(reader.Start(WorkerThread::Priority::Normal));
    ASSERT_TRUE(WaitUntil([&] { return reader.Connected(); }));
    ASSERT_TRUE(unit_->waitForCommands(12, 10000ms)) << "the reader is polling";

    writer_.SetSlot1("START.RESET");
    writer_.SetSlot2("KONFIG.SAVE");
    writer_.SetSlot3("RESET");
    ASSERT_TRUE(WaitUntil([&] {
        const auto log = unit_->commands();  // one snapshot for both questions
        return test_support::IndexOf(log, "RESET") + 1 < log.size();
    }));
    reader.Stop();

    const auto commands = unit_->commands();
    const std::size_t reset = test_support::IndexOf(commands, "RESET");
    // The reader's queries may come between the writer's commands, but not their order.
    EXPECT_EQ(test_support::CommandsAmong(commands, reset, {"START.RESET", "KONFIG.SAVE", "RESET"}),
              (std::vector<std::string>{"START.RESET", "KONFIG.SAVE", "RESET"}));
    EXPECT_GE(commands[reset + 1].at - commands[reset].at, 500ms)
        << "'" << commands[reset + 1].text << "' came too soon after RESET";
}

// The writer beside a reader that searches for the unit: a command waits for PortLock
// through a search and then goes to whatever the search left open.
class WriterBesideSearchTest : public test_support::SimulatedUnitFixture {
  protected:
    void startThreads() {
        ASSERT_TRUE(reader_.Start(WorkerThread::Priority::Normal));
        ASSERT_TRUE(writer_.Start(WorkerThread::Priority::AboveNormal));
    }
    void TearDown() override {
        reader_.Stop();
        writer_.Stop();
        std::lock_guard<TurnLock> hold(PortLock);
        ComPort_Close(PortHandle);
    }
    bool unitHeard(const std::string& command) const {
        const auto log = unit_->commands();
        return test_support::IndexOf(log, command) < log.size();
    }
    bool writerTookSlot1() { return writer_.SlotsSnapshot()[0].empty(); }

    test_support::FakeGuiThread gui_;
    SearchWatchingDisplay display_;
    DeviceStateRecord deviceState_;
    Thread_Read reader_{&gui_, display_, deviceState_, '.'};
    Thread_Write writer_;
};

// A setting made while no unit is attached is dropped when the search it waited through has
// found nothing; the unit plugged in later, maybe another machine's, must never receive it.
// One command per search: each search end is a chance for the reader to take PortLock again
// before the waiting writer.
TEST_F(WriterBesideSearchTest, CommandPlacedWithNoUnitNeverReachesAUnitFoundLater) {
    constexpr int SearchesWithACommand = 3;
    std::atomic<int> commandsTakenDuringTheirSearch{0};
    display_.whileSearching("COM10", [&] {
        const int search = display_.searchesBegun;
        if (search > SearchesWithACommand) {
            return;
        }
        writer_.SetSlot1("START.DELAY " + std::to_string(search));
        // Taken now, the command waits for PortLock until this search has ended.
        if (WaitUntil([this] { return writerTookSlot1(); }, 5000ms)) {
            ++commandsTakenDuringTheirSearch;
        }
    });
    startThreads();
    ASSERT_TRUE(WaitUntil([&] { return display_.searchesBegun > SearchesWithACommand; }, 60000ms))
        << "the searches have found nothing";
    startUnit();
    ASSERT_TRUE(WaitUntil([this] { return reader_.Connected(); }, 30000ms));
    // The writer sends in order: once a later command has arrived, an earlier one still
    // waiting would have arrived before it.
    writer_.SetSlot1("START.DELAY 77");
    ASSERT_TRUE(WaitUntil([this] { return unitHeard("START.DELAY 77"); }));
    for (int search = 1; search <= SearchesWithACommand; ++search) {
        EXPECT_FALSE(unitHeard("START.DELAY " + std::to_string(search))) << "search " << search;
    }
    EXPECT_EQ(commandsTakenDuringTheirSearch, SearchesWithACommand)
        << "a command waited through more than its own search";
}

TEST_F(WriterBesideSearchTest, CommandPlacedDuringASearchThatFindsTheUnitGoesToIt) {
    startUnit();
    std::atomic<bool> tookItDuringTheSearch{false};
    display_.whileSearching("COM3", [&] {
        writer_.SetSlot1("START.DELAY 4321");
        tookItDuringTheSearch = WaitUntil([this] { return writerTookSlot1(); });
    });
    startThreads();
    ASSERT_TRUE(WaitUntil([this] { return reader_.Connected(); }, 30000ms));
    ASSERT_TRUE(tookItDuringTheSearch);
    EXPECT_TRUE(WaitUntil([this] { return unitHeard("START.DELAY 4321"); }));
}

}  // namespace
