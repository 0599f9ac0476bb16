// Faults of the unit and the line, each against the whole program: what the window shows while
// the fault lasts, and that the unit is found again once it is gone. Run over and over by
// tools/reliability/faults, under the address and leak checker.
#include <QRandomGenerator>
#include <QTest>
#include <QToolButton>

#include "RunningProgram.h"
#include "TForm_Main.h"

using namespace std::chrono_literals;

namespace {

const QString ModeOff = QStringLiteral("Aus");

class FaultMatrix : public RunningProgram {
  protected:
    // The unit on COM5 is found and its start page shows its values.
    void ConnectTo(sim::Options options = {}) {
        unit_ = &AddUnit(options);
        Open();
        ASSERT_TRUE(ConnectedVia(5));
        ASSERT_TRUE(FieldShows("Edit_StartModus", ModeOff));
    }
    // The link was lost: the window searches and its page shows "?".
    void ExpectLinkLost() {
        EXPECT_TRUE(WaitUntil([this] { return Searching() && StartPageShowsUnknown(); }))
            << windows_->Main().windowTitle().toStdString() << " / "
            << Field("Edit_StartModus")->text().toStdString() << " / "
            << captions_.join('|').toStdString();
    }
    // The unit is whole again: found on COM5, values shown.
    void ExpectFoundAgain() {
        EXPECT_TRUE(ConnectedVia(5));
        EXPECT_TRUE(FieldShows("Edit_StartModus", ModeOff));
    }
    // Stays connected for `count` more commands, never searching meanwhile.
    void ExpectStaysConnectedFor(std::size_t count) {
        captions_.clear();
        unit_->clearCommands();
        EXPECT_TRUE(Hears(*unit_, count));
        EXPECT_TRUE(captions_.filter(QStringLiteral("suchen")).isEmpty()) << "the link was lost";
        EXPECT_EQ(Field("Edit_StartModus")->text(), ModeOff);
    }
    // Lets the fault run for a moment chosen at random, up to `mostMs`, so that repeated runs
    // meet the fault at different points of a reply.
    static void SomeMoment(int mostMs) {
        QTest::qWait(static_cast<int>(QRandomGenerator::global()->bounded(mostMs)));
    }

    sim::SimulatedUnit* unit_ = nullptr;
};

TEST_F(FaultMatrix, UnitVanishesInTheMiddleOfAReply) {
    sim::Options options;
    options.slowByteMs = 40;  // a reply takes a few hundred ms: time to pull the cable in it
    ConnectTo(options);
    unit_->setFault(sim::Fault::SlowBytes);
    unit_->clearCommands();
    ASSERT_TRUE(Hears(*unit_, 1));
    SomeMoment(200);
    unit_->vanish();
    ExpectLinkLost();
    EXPECT_EQ(Field("Edit_StartModus")->text(), "?");
    unit_->setFault(sim::Fault::None);
    ASSERT_TRUE(unit_->reappear());
    ExpectFoundAgain();
}

TEST_F(FaultMatrix, RepliesInSingleSlowBytes) {
    sim::Options options;
    options.slowByteMs = 60;  // well inside the time-out for one byte
    ConnectTo(options);
    unit_->setFault(sim::Fault::SlowBytes);
    ExpectStaysConnectedFor(8);
}

TEST_F(FaultMatrix, BytesSlowerThanTheByteTimeOutLoseTheLink) {
    sim::Options options;
    options.slowByteMs = 1500;
    ConnectTo(options);
    unit_->setFault(sim::Fault::SlowBytes);
    ExpectLinkLost();
    // Replies still trickle out for minutes: the unit is switched off and on again.
    unit_->vanish();
    unit_->setFault(sim::Fault::None);
    ASSERT_TRUE(unit_->reappear());
    ExpectFoundAgain();
}

TEST_F(FaultMatrix, BytesBeforeTheStx) {
    sim::Options options;
    options.fault = sim::Fault::GarbageBeforeStx;
    ConnectTo(options);
    ExpectStaysConnectedFor(20);
}

TEST_F(FaultMatrix, ReplyWithoutEtx) {
    ConnectTo();
    unit_->setFault(sim::Fault::MissingEtx);
    ExpectLinkLost();
    unit_->setFault(sim::Fault::None);
    ExpectFoundAgain();
}

TEST_F(FaultMatrix, OversizedReply) {
    ConnectTo();
    unit_->setFault(sim::Fault::OversizedReply);
    ExpectLinkLost();
    unit_->setFault(sim::Fault::None);
    ExpectFoundAgain();
}

// An error reply is no answer to "VERSION.HW": such a unit is never taken for one of ours.
// Once connected, errors change nothing that is shown (the normal tests cover that).
TEST_F(FaultMatrix, ErrorToEverythingIsNeverFound) {
    sim::Options options;
    options.fault = sim::Fault::ErrorToAll;
    sim::SimulatedUnit& unit = AddUnit(options);
    Open();
    ASSERT_TRUE(Hears(unit, 3)) << "the search came past COM5 three times";
    EXPECT_TRUE(captions_.filter(QStringLiteral("Verbunden")).isEmpty());
    EXPECT_TRUE(StartPageShowsUnknown());
    unit.setFault(sim::Fault::None);
    EXPECT_TRUE(ConnectedVia(5));
}

TEST_F(FaultMatrix, SilenceAfterReset) {
    sim::Options options;
    options.rebootMs = 3000;
    ConnectTo(options);
    auto* reset = windows_->Main().findChild<QToolButton*>("SpeedButton_StartReset");
    ASSERT_NE(reset, nullptr);
    ASSERT_TRUE(WaitUntil([reset] { return reset->isEnabled(); }));
    reset->click();
    ExpectLinkLost();
    ExpectFoundAgain();
}

TEST_F(FaultMatrix, XoffHeld) {
    ConnectTo();
    unit_->setFault(sim::Fault::HoldXoff);
    ExpectLinkLost();
    unit_->setFault(sim::Fault::None);  // sends XON
    ExpectFoundAgain();
}

TEST_F(FaultMatrix, ClosingWhileXoffHeld) {
    ConnectTo();
    // Cleared first: once the XOFF has gone out with the next reply, nothing more comes.
    unit_->clearCommands();
    unit_->setFault(sim::Fault::HoldXoff);
    ASSERT_TRUE(Hears(*unit_, 1));
    SomeMoment(1500);
    // TearDown closes the window within the deadline.
}

TEST_F(FaultMatrix, UnitReturnsOnAnotherCom) {
    ConnectTo();
    unit_->vanish();
    ExpectLinkLost();
    AddUnit({}, 9);
    EXPECT_TRUE(ConnectedVia(9));
    EXPECT_TRUE(FieldShows("Edit_StartModus", ModeOff));
}

TEST_F(FaultMatrix, TwoUnitsTheFirstFoundWins) {
    sim::Options second;
    second.device = sim::DeviceKind::Orvatronic2;
    AddUnit(second, 3);
    sim::SimulatedUnit& later = AddUnit({}, 7);
    Open();
    ASSERT_TRUE(ConnectedVia(3));
    windows_->Main().PageControl_Kalvio->setCurrentIndex(TForm_Main::PageUnit);
    EXPECT_TRUE(FieldShows("Edit_OrvatronicDevice", QStringLiteral("Orvatronic2 sim")));
    EXPECT_TRUE(later.commands().empty()) << "the search went on past the first unit";
}

}  // namespace
