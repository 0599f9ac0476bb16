// Transactions against the simulated unit, healthy and with each of its faults.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

#include "CommandProtocol.h"
#include "ReplyParser.h"
#include "SimulatedUnitFixture.h"
#include "TemporaryFolder.h"
#include "WaitUntil.h"

using namespace std::chrono_literals;
using test_support::PortFolderOverride;
using test_support::TemporaryFolder;
using test_support::WaitUntil;

namespace {

using Clock = std::chrono::steady_clock;

class SimulatorTransactionTest : public test_support::SimulatedUnitFixture {
  protected:
    void SetUp() override {
        sim::Options options;
        options.slowByteMs = 20;
        ASSERT_NO_FATAL_FAILURE(startUnit(options));
        connect();
    }
    void TearDown() override { ComPort_Close(handle_); }

    void connect() { ASSERT_TRUE(test_support::OpenConfigured(5, handle_)); }

    int transact(const char* command) {
        std::lock_guard<TurnLock> hold(PortLock);
        return ComPort_Transact(handle_, command, reply_, TransactionTimeoutMs);
    }

    std::string payload() const { return reply_.data(); }

    PortHandleValue handle_ = InvalidPortHandle;
    ReplyBuffer reply_{};
};

TEST_F(SimulatorTransactionTest, IdentifiesTheUnitAndReadsEveryQuery) {
    ASSERT_EQ(transact("VERSION.HW"), 0);
    EXPECT_EQ(reply_parser::IdentifyDeviceType(reply_.data()).value_or(""), "Orvatronic");
    ASSERT_EQ(transact("VERSION.SW"), 0);
    EXPECT_EQ(payload(), "V2.14 sim");

    ASSERT_EQ(transact("START.CMD"), 0);
    EXPECT_TRUE(reply_parser::ParseStartMode(reply_.data()));
    ASSERT_EQ(transact("START.GENERATOR"), 0);
    EXPECT_TRUE(reply_parser::ParseStartGenerator(reply_.data()));
    ASSERT_EQ(transact("SPEED.FAKTOR"), 0);
    EXPECT_EQ(reply_parser::ParseSigned(reply_.data()).value_or(0), 1000);
    ASSERT_EQ(transact("SPEED.SPEED"), 0);
    EXPECT_TRUE(reply_parser::ParseSpeedSpeed(reply_.data()));
    ASSERT_EQ(transact("IO"), 0);
    EXPECT_TRUE(reply_parser::ParseIo(reply_.data()));
}

TEST_F(SimulatorTransactionTest, SettingIsReadBackAndTheUnitSawEveryCommandInOrder) {
    ASSERT_EQ(transact("START.DELAY 1234"), 0);
    ASSERT_EQ(transact("START.DELAY"), 0);
    EXPECT_EQ(reply_parser::ParseUnsigned(reply_.data()).value_or(0), 1234u);
    ASSERT_EQ(transact("START.DELAY 16001"), 0);
    EXPECT_TRUE(reply_parser::IsErrorReply(reply_.data()));

    ASSERT_TRUE(unit_->waitForCommands(3, 5000ms));
    const auto commands = unit_->commands();
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[0].text, "START.DELAY 1234");
    EXPECT_EQ(commands[1].text, "START.DELAY");
    EXPECT_EQ(commands[2].text, "START.DELAY 16001");
}

TEST_F(SimulatorTransactionTest, FaultsThatStillGiveAFrame) {
    const std::pair<sim::Fault, const char*> cases[] = {
        {sim::Fault::GarbageBeforeStx, "noise before the frame"},
        {sim::Fault::SlowBytes, "slow bytes"},
    };
    for (const auto& [fault, name] : cases) {
        SCOPED_TRACE(name);
        unit_->setFault(fault);
        ASSERT_EQ(transact("SPEED.CMD"), 0);
        EXPECT_TRUE(reply_parser::ParseSpeedMode(reply_.data()));
    }
    unit_->setFault(sim::Fault::ErrorToAll);
    ASSERT_EQ(transact("START.CMD"), 0);
    EXPECT_TRUE(reply_parser::IsErrorReply(reply_.data()));
    EXPECT_FALSE(reply_parser::ParseStartMode(reply_.data()));
}

TEST_F(SimulatorTransactionTest, FaultsThatBreakTheReply) {
    const std::pair<sim::Fault, const char*> cases[] = {
        {sim::Fault::NoAnswer, "no answer"},
        {sim::Fault::MissingEtx, "no ETX"},
        {sim::Fault::OversizedReply, "oversized"},
    };
    for (const auto& [fault, name] : cases) {
        SCOPED_TRACE(name);
        unit_->setFault(fault);
        EXPECT_EQ(transact("VERSION.SW"), -2);
        uint8_t byte = 0;
        EXPECT_EQ(ComPort_ReadByte(handle_, &byte, 50), -4) << "nothing of the reply is left";
    }
    unit_->setFault(sim::Fault::None);
    EXPECT_EQ(transact("VERSION.SW"), 0) << "the link recovers with the unit";
}

TEST_F(SimulatorTransactionTest, VanishedUnitFailsPromptlyAndCanBeReconnected) {
    unit_->vanish();
    const auto start = Clock::now();
    EXPECT_NE(transact("IO"), 0);
    EXPECT_LT(Clock::now() - start, 3000ms) << "an unplugged line must not cost the time-out";
    EXPECT_EQ(ComPort_Close(handle_), 0);
    EXPECT_EQ(ComPort_Open(5), InvalidPortHandle) << "the entry is gone with the unit";

    ASSERT_TRUE(unit_->reappear());
    connect();
    EXPECT_EQ(transact("IO"), 0);
}

TEST_F(SimulatorTransactionTest, ResetSilencesTheUnitForItsRebootTime) {
    ASSERT_EQ(transact("RESET"), 0);
    EXPECT_EQ(transact("START.CMD"), -2) << "a query right after RESET finds the unit rebooting";
    EXPECT_TRUE(WaitUntil([this] { return transact("START.CMD") == 0; }, 5000ms));
}

// The executable, as the demo and a technician start it, answers a transaction.
TEST(OrvatronicSimProgram, AnswersATransaction) {
    TemporaryFolder folder;
    PortFolderOverride override(folder.path());
    const std::string program = ORVATRONIC_SIM_PROGRAM;
    const std::string port = "7";
    char* const arguments[] = {const_cast<char*>(program.c_str()), const_cast<char*>("--port"),
                               const_cast<char*>(port.c_str()), nullptr};
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, program.c_str(), nullptr, nullptr, arguments, environ), 0);

    PortHandleValue handle = InvalidPortHandle;
    EXPECT_TRUE(
        WaitUntil([&] { return (handle = ComPort_Open(7)) != InvalidPortHandle; }, 10000ms));
    if (handle != InvalidPortHandle) {
        EXPECT_EQ(ComPort_Configure(handle, 115200), 0);
        ReplyBuffer reply{};
        EXPECT_EQ(ComPort_Transact(handle, "VERSION.HW", reply, TransactionTimeoutMs), 0);
        EXPECT_TRUE(reply_parser::IdentifyDeviceType(reply.data()));
        ComPort_Close(handle);
    }
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "stops cleanly on SIGTERM";
}

}  // namespace
