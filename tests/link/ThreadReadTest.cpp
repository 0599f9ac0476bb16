#include "Thread_Read.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#include "CommandLogQueries.h"
#include "FakeGuiThread.h"
#include "ForeignDevice.h"
#include "LivingProcess.h"
#include "LockFiles.h"
#include "LockFolderOverride.h"
#include "PseudoTerminal.h"
#include "SimulatedUnitFixture.h"
#include "TerminalSession.h"
#include "WaitUntil.h"

using namespace std::chrono_literals;
using test_support::FakeGuiThread;
using test_support::ForeignDevice;
using test_support::PseudoTerminal;
using test_support::WaitUntil;

namespace {

using Clock = std::chrono::steady_clock;

// Records every display call as a line of text.
class RecordingDisplay : public ReaderDisplay {
  public:
    std::atomic<int> page{0};
    std::atomic<bool> holdEpoch{false};
    mutable std::atomic<unsigned> epoch{0};
    // When set, each line ends with whether PortLock was held while the display ran.
    std::atomic<bool> notePortLock{false};

    int ActivePageIndex() const override { return page.load(); }
    // Unless a test holds it, the epoch moves on every look, so every poll is handed over.
    unsigned DisplayEpoch() const override { return holdEpoch.load() ? epoch.load() : ++epoch; }
    void PageReset() override { record("reset"); }
    void ShowSearchingCaption(const std::string& port) override { record("searching " + port); }
    void ShowConnectedCaption(const std::string& port) override { record("connected " + port); }
    void StartModeDisplay(int mode, bool failed) override {
        record("start mode " + std::to_string(mode) + (failed ? " ?" : ""));
    }
    void StartGeneratorDisplay(const std::string& h, const std::string& l) override {
        record("start generator " + h + " / " + l);
    }
    void StartDelayDisplay(const std::string& t) override { record("start delay " + t); }
    void StartShiftDisplay(const std::string& t) override { record("start shift " + t); }
    void SpeedModeDisplay(int mode, bool failed) override {
        record("speed mode " + std::to_string(mode) + (failed ? " ?" : ""));
    }
    void SpeedGeneratorDisplay(const std::string& t) override { record("speed generator " + t); }
    void SpeedFactorDisplay(const std::string& t) override { record("speed factor " + t); }
    void SpeedValuesDisplay(const std::string& i, const std::string& o) override {
        record("speed values " + i + " / " + o);
    }
    void UnitDeviceDisplay(const std::string& t) override { record("device " + t); }
    void UnitFirmwareDisplay(const std::string& t) override { record("firmware " + t); }
    void InputOutputDisplay(const std::string& w1, const std::string& w2) override {
        record("io " + w1 + " " + w2);
        std::function<void()> hook;
        {
            std::lock_guard<std::mutex> guard(lock_);
            hook.swap(afterInputOutput_);
        }
        if (hook) {
            hook();  // the reader waits meanwhile: its next query starts the next cycle
        }
    }
    void runOnceAfterInputOutput(std::function<void()> hook) {
        std::lock_guard<std::mutex> guard(lock_);
        afterInputOutput_ = std::move(hook);
    }

    std::vector<std::string> lines() const {
        std::lock_guard<std::mutex> guard(lock_);
        return lines_;
    }
    void clear() {
        std::lock_guard<std::mutex> guard(lock_);
        lines_.clear();
    }
    std::size_t count(const std::string& line) const {
        const auto all = lines();
        return static_cast<std::size_t>(std::count(all.begin(), all.end(), line));
    }
    bool has(const std::string& line) const {
        const auto all = lines();
        return std::find(all.begin(), all.end(), line) != all.end();
    }
    bool hasPrefix(const std::string& prefix) const {
        for (const std::string& line : lines()) {
            if (line.rfind(prefix, 0) == 0) {
                return true;
            }
        }
        return false;
    }

  private:
    static bool PortLockFree() {
        if (!PortLock.try_lock()) {
            return false;
        }
        PortLock.unlock();
        return true;
    }
    void record(const std::string& line) {
        const std::string suffix =
            !notePortLock ? "" : (PortLockFree() ? " (PortLock free)" : " (PortLock held)");
        std::lock_guard<std::mutex> guard(lock_);
        lines_.push_back(line + suffix);
    }

    mutable std::mutex lock_;
    std::vector<std::string> lines_;
    std::function<void()> afterInputOutput_;
};

class ThreadReadTest : public test_support::SimulatedUnitFixture {
  protected:
    void startReader() {
        reader_ = std::make_unique<Thread_Read>(&gui_, display_, deviceState_, ',');
        ASSERT_TRUE(reader_->Start(WorkerThread::Priority::Normal));
    }
    void TearDown() override {
        reader_.reset();
        std::lock_guard<TurnLock> hold(PortLock);
        ComPort_Close(PortHandle);
    }
    bool connected() {
        return WaitUntil([this] { return display_.has("connected COM5"); });
    }
    // Whether the unit heard, from the first query of `cycle` on, that cycle in its order and
    // nothing else, at least twice over; the tail of another page's cycle may come before it.
    bool heardCycleInOrder(const std::vector<std::string>& cycle) const {
        const auto log = unit_->commands();
        const std::size_t first = test_support::IndexOf(log, cycle.front());
        if (log.size() < first + 2 * cycle.size()) {
            return false;
        }
        for (std::size_t i = first; i < log.size(); ++i) {
            if (log[i].text != cycle[(i - first) % cycle.size()]) {
                return false;
            }
        }
        return true;
    }

    FakeGuiThread gui_;
    RecordingDisplay display_;
    DeviceStateRecord deviceState_;
    std::unique_ptr<Thread_Read> reader_;
};

TEST_F(ThreadReadTest, ScanFindsTheUnitOnCom5AfterCom1ToCom4) {
    startUnit();
    display_.page = 3;
    startReader();
    ASSERT_TRUE(connected());
    const auto lines = display_.lines();
    const std::vector<std::string> expected = {"reset",          "searching COM1", "searching COM2",
                                               "searching COM3", "searching COM4", "searching COM5",
                                               "connected COM5"};
    ASSERT_GE(lines.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + expected.size()), expected);
    EXPECT_EQ(deviceState_.DeviceType(), "Orvatronic");
    // The reader counts itself connected once the caption's hand-over has returned.
    EXPECT_TRUE(WaitUntil([this] { return reader_->Connected(); }));
}

TEST_F(ThreadReadTest, IdentifiesTheSecondUnitType) {
    sim::Options orvatronic2;
    orvatronic2.device = sim::DeviceKind::Orvatronic2;
    startUnit(orvatronic2);
    display_.page = 3;
    startReader();
    ASSERT_TRUE(connected());
    EXPECT_EQ(deviceState_.DeviceType(), "Orvatronic2");
}

TEST_F(ThreadReadTest, SearchOnlyOnePortProbesThatPortAlone) {
    startUnit();
    display_.page = 3;
    reader_ = std::make_unique<Thread_Read>(&gui_, display_, deviceState_, ',');
    reader_->SearchOnly(5);
    ASSERT_TRUE(reader_->Start(WorkerThread::Priority::Normal));
    ASSERT_TRUE(connected());
    EXPECT_EQ(display_.lines().at(1), "searching COM5");
    EXPECT_FALSE(display_.has("searching COM1"));

    // After the link is lost the search stays on that port too, however often it repeats.
    unit_->vanish();
    ASSERT_TRUE(WaitUntil([this] { return display_.count("searching COM5") >= 3; }));
    ASSERT_TRUE(unit_->reappear());
    ASSERT_TRUE(WaitUntil([this] { return display_.count("connected COM5") == 2; }));
    EXPECT_FALSE(display_.hasPrefix("searching COM6"));
    EXPECT_FALSE(display_.has("searching COM4"));
}

TEST_F(ThreadReadTest, EachPagePollsOnlyItsOwnQueriesInItsOrder) {
    startUnit();
    display_.page = 3;
    startReader();
    ASSERT_TRUE(connected());

    const std::pair<int, std::vector<std::string>> pages[] = {
        {0, {"START.CMD", "START.GENERATOR", "START.DELAY", "START.SHIFT", "IO"}},
        {1, {"SPEED.CMD", "SPEED.GENERATOR", "SPEED.FAKTOR", "SPEED.SPEED", "IO"}},
        {2, {"VERSION.HW", "VERSION.SW"}},
        {3, {"IO"}},
    };
    for (const auto& [page, queries] : pages) {
        SCOPED_TRACE(page);
        display_.page = page;
        // Let the cycle that was running when the page changed end, then look afresh.
        ASSERT_TRUE(WaitUntil([&] {
            unit_->clearCommands();
            return unit_->waitForCommands(queries.size() * 3, 5000ms) && heardCycleInOrder(queries);
        }));
    }
    display_.page = 7;
    unit_->clearCommands();
    ASSERT_TRUE(WaitUntil([&] {
        unit_->clearCommands();
        std::this_thread::sleep_for(300ms);  // a quiet line is the condition awaited here
        return unit_->commands().empty();
    }));
}

// The search holds PortLock while the caption changes; a query lets go of it before it hands
// its result over, so that the writer never waits for the GUI thread.
TEST_F(ThreadReadTest, PortLockIsHeldForTheCaptionButFreeForAQuerysHandOver) {
    startUnit();
    display_.page = 3;
    display_.notePortLock = true;
    startReader();
    ASSERT_TRUE(WaitUntil([this] { return display_.hasPrefix("io "); }));
    EXPECT_TRUE(display_.has("searching COM5 (PortLock held)"));
    EXPECT_TRUE(display_.has("connected COM5 (PortLock held)"));
    for (const std::string& line : display_.lines()) {
        if (line.rfind("io ", 0) == 0) {
            EXPECT_NE(line.find("(PortLock free)"), std::string::npos) << line;
        }
    }
}

TEST_F(ThreadReadTest, StartPageValuesReachDeviceStateAndDisplay) {
    startUnit();
    display_.page = 0;
    startReader();
    ASSERT_TRUE(connected());
    ASSERT_TRUE(WaitUntil([this] { return display_.hasPrefix("io "); }));
    EXPECT_TRUE(display_.has("start mode 0"));
    EXPECT_TRUE(display_.has("start generator 100 ms / 100 ms"));
    EXPECT_TRUE(display_.has("start delay 0 ms"));
    EXPECT_TRUE(display_.has("start shift 0 mm"));
    EXPECT_EQ(deviceState_.StartGeneratorOn.load(), 100);
    EXPECT_EQ(deviceState_.StartGeneratorOff.load(), 100);

    display_.page = 1;
    ASSERT_TRUE(WaitUntil([this] { return display_.hasPrefix("speed values "); }));
    EXPECT_TRUE(display_.has("speed factor 1,000")) << "the separator given to the reader";
    EXPECT_EQ(deviceState_.SpeedFaktor.load(), 1000);
    EXPECT_GT(deviceState_.SpeedInput.load(), 0);
}

// The IO query has no "Fehler" check of its own: its scan fails on the error text instead.
TEST_F(ThreadReadTest, ErrorRepliesChangeNothingOnAnyPageAndKeepTheLink) {
    struct Page {
        int index;
        std::size_t queries;
        const char* ownDisplay;  // made by this page's cycle only
    };
    const Page pages[] = {
        {0, 5, "start shift "}, {1, 5, "speed values "}, {2, 2, "firmware "}, {3, 1, "io "}};
    startUnit();
    startReader();
    for (const Page& page : pages) {
        SCOPED_TRACE(page.index);
        unit_->setFault(sim::Fault::None);
        display_.page = page.index;
        display_.clear();
        ASSERT_TRUE(WaitUntil([&] { return display_.hasPrefix(page.ownDisplay); }));
        deviceState_.StartGeneratorOn = 4242;
        deviceState_.SpeedFaktor = 4242;
        unit_->setFault(sim::Fault::ErrorToAll);
        unit_->clearCommands();
        // Once a query has been answered "Fehler", every hand-over before it has run.
        ASSERT_TRUE(unit_->waitForCommands(page.queries, 5000ms));
        display_.clear();
        unit_->clearCommands();
        ASSERT_TRUE(unit_->waitForCommands(2 * page.queries, 5000ms));
        for (const std::string& line : display_.lines()) {
            ADD_FAILURE() << "display changed on an error reply: " << line;
        }
        EXPECT_EQ(deviceState_.StartGeneratorOn.load(), 4242);
        EXPECT_EQ(deviceState_.SpeedFaktor.load(), 4242);
        EXPECT_TRUE(reader_->Connected());
    }
}

TEST_F(ThreadReadTest, PulledUnitShowsUnknownThenSearchesAndReconnects) {
    startUnit();
    display_.page = 0;
    startReader();
    ASSERT_TRUE(WaitUntil([this] { return display_.hasPrefix("io "); }));
    display_.clear();
    unit_->vanish();
    ASSERT_TRUE(WaitUntil([this] { return display_.has("searching COM6"); }));
    EXPECT_TRUE(display_.has("start mode 0 ?"));
    EXPECT_TRUE(display_.has("reset"));
    EXPECT_FALSE(reader_->Connected());

    display_.clear();
    ASSERT_TRUE(unit_->reappear());
    ASSERT_TRUE(WaitUntil([this] { return display_.has("connected COM5"); }, 30000ms));
    EXPECT_TRUE(WaitUntil([this] { return display_.has("start mode 0"); }));
}

TEST_F(ThreadReadTest, FailedSpeedModeQueryKeepsTheModeNumberOfTheLastQuery) {
    startUnit();
    display_.page = 1;
    startReader();
    ASSERT_TRUE(WaitUntil([this] { return display_.hasPrefix("speed values "); }));
    {
        // Mode 3 reaches the unit only through its own command set.
        std::lock_guard<TurnLock> hold(PortLock);
        ReplyBuffer reply{};
        ASSERT_EQ(ComPort_Transact(PortHandle, "SPEED.CMD 3", reply, 1000), 0);
    }
    ASSERT_TRUE(WaitUntil([this] { return display_.has("speed mode 3"); }));
    display_.clear();
    // Fail the next cycle from its first query on, which is "SPEED.CMD".
    display_.runOnceAfterInputOutput([this] { unit_->setFault(sim::Fault::NoAnswer); });
    ASSERT_TRUE(WaitUntil([this] { return display_.has("speed mode 3 ?"); }, 15000ms));
    EXPECT_FALSE(display_.has("speed mode 0 ?"));
}

// The window keeps what it was handed: an unchanged value costs no hand-over, until the window
// changes its pages itself (a new epoch) or a new mode lays a page out anew.
TEST_F(ThreadReadTest, UnchangedValuesAreHandedOverOncePerEpochAndLayout) {
    startUnit();
    display_.holdEpoch = true;
    display_.page = 0;
    startReader();
    const std::string generator = "start generator 100 ms / 100 ms";
    ASSERT_TRUE(WaitUntil([&] { return display_.has(generator); }));
    unit_->clearCommands();
    ASSERT_TRUE(unit_->waitForCommands(20, 5000ms));  // four more polling cycles
    EXPECT_EQ(display_.count("start mode 0"), 1u);
    EXPECT_EQ(display_.count(generator), 1u);

    ++display_.epoch;
    // An epoch that moves between a cycle's "START.CMD" and "START.GENERATOR" brings the mode
    // only in the next cycle, and the mode's new layout brings the generator once more.
    ASSERT_TRUE(WaitUntil(
        [&] { return display_.count("start mode 0") == 2 && display_.count(generator) >= 2; }));
    unit_->clearCommands();
    ASSERT_TRUE(unit_->waitForCommands(10, 5000ms));  // the cycles of the new epoch are done
    EXPECT_EQ(display_.count("start mode 0"), 2u);
    const std::size_t generatorBefore = display_.count(generator);
    EXPECT_LE(generatorBefore, 3u);

    {
        std::lock_guard<TurnLock> hold(PortLock);
        ReplyBuffer reply{};
        ASSERT_EQ(ComPort_Transact(PortHandle, "START.CMD 1", reply, 1000), 0);
    }
    EXPECT_TRUE(WaitUntil([&] {
        return display_.count("start mode 1") == 1 &&
               display_.count(generator) == generatorBefore + 1;
    })) << "values after a new layout are handed over again";
}

// Closing the window while a port is probed: the reader must end within 2 s, whether the port
// is silent (the probe waits its 1 s for a reply) or never stops sending (the probe would run
// up to its whole-reply bound).
TEST_F(ThreadReadTest, TerminationDuringAProbeEndsWithinTwoSeconds) {
    const std::pair<const char*, std::string> cases[] = {
        {"silent port", ""},
        {"port that never stops sending", "$GPGGA,123519,4807.038,N*47\r\n"},
    };
    display_.page = 0;
    for (const auto& [name, filler] : cases) {
        SCOPED_TRACE(name);
        PseudoTerminal pty(folder_, 2);
        ForeignDevice device(pty, "", filler, 20ms);
        startReader();
        ASSERT_TRUE(WaitUntil([&] { return device.heardCommand(); }));
        const auto start = Clock::now();
        reader_->Stop();
        const auto elapsed = Clock::now() - start;
        EXPECT_LT(elapsed, 2000ms)
            << "took " << std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()
            << " ms";
        reader_.reset();
    }
}

// A GPS or a console on an earlier port must not keep the search from the unit.
TEST_F(ThreadReadTest, SearchMovesOnFromADeviceThatNeverStopsSending) {
    PseudoTerminal pty(folder_, 1);
    ForeignDevice device(pty, "", std::string(256, 'x'), 0ms);
    startUnit();
    display_.page = 3;
    startReader();
    ASSERT_TRUE(WaitUntil([&] { return device.heardCommand(); }));
    EXPECT_TRUE(connected());
}

// A login prompt's line and a port another program has locked are passed over unheard.
TEST_F(ThreadReadTest, SearchNeverSpeaksIntoAPortThatAnotherProgramUses) {
    test_support::LockFolderOverride lockFolder;
    PseudoTerminal terminal(folder_, 3);
    ForeignDevice terminalListener(terminal, "", "", 10ms);
    test_support::TerminalSession session(terminal.slavePath());
    ASSERT_TRUE(session.started());
    PseudoTerminal locked(folder_, 4);
    ForeignDevice lockedListener(locked, "", "", 10ms);
    test_support::LivingProcess lockOwner;
    test_support::WriteLockFile(lockFolder.lockFileOf(locked.slavePath()), lockOwner.pid());
    startUnit();
    display_.page = 3;
    startReader();
    ASSERT_TRUE(connected());
    EXPECT_TRUE(display_.has("searching COM3"));
    EXPECT_TRUE(display_.has("searching COM4"));
    EXPECT_FALSE(terminalListener.heardCommand()) << "the search spoke into a terminal";
    EXPECT_FALSE(lockedListener.heardCommand()) << "the search spoke into a locked port";
}

}  // namespace
