#include "CommandProtocol.h"

#include <gtest/gtest.h>
#include <sys/ioctl.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "ForeignDevice.h"
#include "PortFolderFixture.h"
#include "PseudoTerminal.h"
#include "SerialDevice.h"
#include "WaitUntil.h"

using namespace std::chrono_literals;
using test_support::ForeignDevice;
using test_support::PseudoTerminal;
using test_support::WaitUntil;

namespace {

const std::string StxText(1, '\x02');
const std::string EtxText(1, '\x03');

std::string Frame(const std::string& payload) {
    return StxText + payload + EtxText;
}

// The unit's side of one transaction: waits for the command line, then answers with `answer`.
class ScriptedUnit {
  public:
    ScriptedUnit(PseudoTerminal& pty, std::string answer)
        : thread_([this, &pty, answer = std::move(answer)] {
              received_ = pty.receiveUntil('\r', 5000ms);
              if (!answer.empty()) {
                  pty.send(answer);
              }
          }) {}
    ~ScriptedUnit() {
        if (thread_.joinable()) {
            thread_.join();
        }
    }
    const std::string& received() {
        thread_.join();
        return received_;
    }

  private:
    std::string received_;
    std::thread thread_;
};

class CommandProtocolTest : public test_support::PortFolderFixture {
  protected:
    void SetUp() override { ASSERT_TRUE(test_support::OpenConfigured(5, handle_)); }
    void TearDown() override { ComPort_Close(handle_); }

    int transact(const char* command, uint32_t timeoutMs = TransactionTimeoutMs) {
        std::lock_guard<TurnLock> hold(PortLock);
        return ComPort_Transact(handle_, command, reply_, timeoutMs);
    }

    // After a transaction, nothing of its reply may be left for the next one.
    bool inputQueueEmpty() {
        uint8_t byte = 0;
        return ComPort_ReadByte(handle_, &byte, 50) == -4;
    }

    PseudoTerminal pty_{folder_, 5};
    PortHandleValue handle_ = InvalidPortHandle;
    ReplyBuffer reply_{};
};

TEST_F(CommandProtocolTest, SendsCommandWithCarriageReturnAndDropsBytesBeforeStx) {
    ScriptedUnit unit(pty_, "AB" + Frame("1"));
    EXPECT_EQ(transact("START.CMD"), 0);
    EXPECT_EQ(unit.received(), "START.CMD\r");
    EXPECT_STREQ(reply_.data(), "1");
}

TEST_F(CommandProtocolTest, FramesOfEveryShape) {
    struct Case {
        const char* name;
        std::string answer;
        int result;
        std::string payload;
    };
    const Case cases[] = {
        {"empty payload", Frame(""), 0, ""},
        {"error reply is a successful transaction", Frame("Fehler 3"), 0, "Fehler 3"},
        {"second STX belongs to the payload", Frame("a\x02z"), 0, "a\x02z"},
        {"bytes after ETX are not read", Frame("12") + "junk", 0, "12"},
        {"largest payload", Frame(std::string(9999, 'p')), 0, std::string(9999, 'p')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUnit unit(pty_, c.answer);
        EXPECT_EQ(transact("IO"), c.result);
        EXPECT_EQ(std::string(reply_.data()), c.payload);
        unit.received();
        EXPECT_TRUE(inputQueueEmpty());
    }
}

TEST_F(CommandProtocolTest, IncompleteRepliesEndWithMinusTwo) {
    const std::pair<const char*, std::string> cases[] = {
        {"no answer", ""},
        {"no STX", "noise"},
        {"no ETX", StxText + "12"},
    };
    for (const auto& [name, answer] : cases) {
        SCOPED_TRACE(name);
        ScriptedUnit unit(pty_, answer);
        EXPECT_EQ(transact("START.CMD", 200), -2);
        unit.received();
    }
}

TEST_F(CommandProtocolTest, OversizedReplyIsRejectedAndLeavesNothingBehind) {
    ScriptedUnit unit(pty_, Frame(std::string(12000, 'o')) + "");
    EXPECT_EQ(transact("VERSION.SW"), -2);
    EXPECT_LT(std::strlen(reply_.data()), reply_.size());
    unit.received();
    EXPECT_TRUE(inputQueueEmpty());
}

// A device that never stops sending must not hold the reply, and PortLock with it, for ever:
// the reply ends within ten time-outs with the code of the part it was in, whether the bytes
// come fast (and run out of bytes first) or slowly (and run out of time).
TEST_F(CommandProtocolTest, DeviceThatNeverStopsSendingEndsTheReplyWithItsFailureCode) {
    constexpr uint32_t TimeoutMs = 100;
    struct Case {
        const char* name;
        std::string opening;
        std::chrono::milliseconds pause;
        int result;
    };
    const Case cases[] = {
        {"fast, no STX", "", 0ms, -1},
        {"slow, no STX", "", 20ms, -1},
        {"fast, STX and a payload without end", StxText, 0ms, -2},
        {"slow, STX and a payload without end", StxText, 20ms, -2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        serial_device::Purge(handle_);  // nothing left over from the case before
        ForeignDevice device(pty_, c.opening, "$GPGGA,123519,4807.038,N*47\r\n", c.pause);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(ComPort_ReadReply(handle_, reply_, TimeoutMs), c.result);
        const auto elapsed = std::chrono::steady_clock::now() - start;
        EXPECT_LT(elapsed, 3000ms)
            << "ten time-outs are 1 s; took "
            << std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() << " ms";
    }
}

TEST_F(CommandProtocolTest, StaleBytesAreNeverTakenForTheReply) {
    const std::string stale = Frame("stale");
    pty_.send(stale);
    ASSERT_TRUE(WaitUntil([this, &stale] {
        int queued = 0;
        return ioctl(handle_, FIONREAD, &queued) == 0 &&
               static_cast<std::size_t>(queued) >= stale.size();
    })) << "the stale frame reaches the input queue";
    ScriptedUnit unit(pty_, Frame("fresh"));
    EXPECT_EQ(transact("VERSION.HW"), 0);
    EXPECT_STREQ(reply_.data(), "fresh");
}

TEST_F(CommandProtocolTest, CommandThatCannotBeWrittenGivesMinusOne) {
    ReplyBuffer reply{};
    EXPECT_EQ(ComPort_Transact(InvalidPortHandle, "START.CMD", reply, 100), -1);

    const std::string tooLong(2500, 'X');
    EXPECT_EQ(transact(tooLong.c_str()), -1);
    EXPECT_EQ(pty_.receiveUntil('\r', 200ms), "") << "no part of a cut command may go out";
}

// The time-out bounds the wait for each byte, not the whole reply: with t = 200 ms, a frame
// whose bytes come 150 ms apart still arrives (900 ms in all); one gap beyond t ends it.
TEST_F(CommandProtocolTest, TimeoutBoundsEachByteOfTheReply) {
    constexpr uint32_t TimeoutMs = 200;
    struct Case {
        const char* name;
        std::vector<std::chrono::milliseconds> gaps;  // before each byte of the frame
        int result;
        std::string payload;
    };
    const Case cases[] = {
        {"every gap within t", {150ms, 150ms, 150ms, 150ms, 150ms, 150ms}, 0, "1234"},
        {"one gap beyond t", {0ms, 0ms, 400ms, 0ms, 0ms, 0ms}, -2, "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::thread unit([&] {
            pty_.receiveUntil('\r', 5000ms);
            const std::string frame = Frame("1234");
            for (std::size_t i = 0; i < frame.size(); ++i) {
                std::this_thread::sleep_for(c.gaps[i]);  // the unit's pace, not a wait
                pty_.send(frame.substr(i, 1));
            }
        });
        EXPECT_EQ(transact("START.DELAY", TimeoutMs), c.result);
        EXPECT_EQ(std::string(reply_.data()), c.payload);
        unit.join();
    }
}

}  // namespace
