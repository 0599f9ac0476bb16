// The doctor on a folder of pseudo-terminals: a silent one, one held by another process, one
// the user may not open, and one with a unit.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "HoldingProcess.h"
#include "LivingProcess.h"
#include "LockFiles.h"
#include "LockFolderOverride.h"
#include "PortDoctor.h"
#include "PortFolderFixture.h"
#include "PseudoTerminal.h"
#include "SimulatedUnit.h"
#include "TerminalSession.h"
#include "UnprivilegedChild.h"

namespace {

using test_support::PseudoTerminal;

bool Mentions(const PortDoctor::NodeReport& report, const std::string& text) {
    for (const std::string& sentence : PortDoctor::Describe(report)) {
        if (sentence.find(text) != std::string::npos) {
            return true;
        }
    }
    return false;
}

class PortDoctorTest : public test_support::PortFolderFixture {};

TEST_F(PortDoctorTest, TellsSilentHeldAndAnsweringPortsApart) {
    PseudoTerminal silent(folder_, 1);
    PseudoTerminal held(folder_, 2);
    test_support::HoldingProcess holder(held.slavePath());
    ASSERT_TRUE(holder.held());
    sim::Options options;
    options.folder = folder_.path();
    options.portNumber = 4;
    sim::SimulatedUnit unit(options);
    ASSERT_TRUE(unit.start()) << unit.errorText();

    EXPECT_EQ(PortDoctor::CandidatePorts(), (std::vector<uint32_t>{1, 2, 4}));

    const auto silentReport = PortDoctor::Examine(1, true);
    EXPECT_TRUE(silentReport.mayOpen);
    EXPECT_EQ(silentReport.answer, PortDoctor::Answer::NoAnswer);

    const auto heldReport = PortDoctor::Examine(2, true);
    EXPECT_TRUE(heldReport.heldByOther);
    EXPECT_EQ(heldReport.answer, PortDoctor::Answer::NotTried) << "a held port is not probed";
    EXPECT_TRUE(Mentions(heldReport, "Process " + std::to_string(holder.pid())));

    const auto unitReport = PortDoctor::Examine(4, true);
    EXPECT_EQ(unitReport.answer, PortDoctor::Answer::Unit);
    EXPECT_FALSE(unitReport.heldByOther);
    EXPECT_EQ(unitReport.deviceText, "Orvatronic  sim");

    const auto missing = PortDoctor::Examine(3, true);
    EXPECT_FALSE(missing.exists);
}

TEST_F(PortDoctorTest, NamesTheGroupThatWouldLetTheUserOpenThePort) {
    if (!test_support::CanDropPrivileges()) {
        GTEST_SKIP() << "needs root to run a part of the test as the user nobody";
    }
    PseudoTerminal pty(folder_, 3);
    test_support::GrantToNobody(folder_.path());
    ASSERT_EQ(chmod(pty.slavePath().c_str(), 0660), 0);
    const int status = test_support::RunAsNobody([] {
        const auto report = PortDoctor::Examine(3, true);
        if (!report.exists || report.mayOpen || !report.groupAllows || report.inGroup) {
            return 1;
        }
        if (report.answer != PortDoctor::Answer::NotTried) {
            return 2;
        }
        return Mentions(report, "usermod -aG " + report.group + " nobody") ? 0 : 3;
    });
    EXPECT_EQ(status, 0);
}

}  // namespace

namespace {

// Ports that another program uses without holding them are named with their user, not probed.
TEST_F(PortDoctorTest, NamesTheProgramWhoseTerminalOrLockFileThePortIs) {
    test_support::LockFolderOverride lockFolder;
    PseudoTerminal terminal(folder_, 1);
    test_support::TerminalSession session(terminal.slavePath());
    ASSERT_TRUE(session.started());
    PseudoTerminal locked(folder_, 2);
    test_support::LivingProcess owner;
    const std::string lockFile = lockFolder.lockFileOf(locked.slavePath());
    test_support::WriteLockFile(lockFile, owner.pid());

    const auto terminalReport = PortDoctor::Examine(1, true);
    ASSERT_TRUE(terminalReport.terminalOf);
    EXPECT_EQ(terminalReport.terminalOf->pid, session.pid());
    EXPECT_EQ(terminalReport.answer, PortDoctor::Answer::NotTried);
    EXPECT_TRUE(Mentions(terminalReport, "terminal of process " + std::to_string(session.pid())));

    const auto lockedReport = PortDoctor::Examine(2, true);
    ASSERT_TRUE(lockedReport.lockOwner);
    EXPECT_EQ(lockedReport.lockOwner->pid, owner.pid());
    EXPECT_EQ(lockedReport.answer, PortDoctor::Answer::NotTried);
    EXPECT_TRUE(Mentions(lockedReport, lockFile));
}

}  // namespace
