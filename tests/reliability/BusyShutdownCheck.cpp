// Closing the program while it is busy: during the connection search, in the middle of a
// transaction, while a hand-over waits for the GUI thread, and with a parameter dialog open
// when the session ends. Each must be over within two seconds (checked when the fixture
// closes). Run a hundred times each by tools/reliability/shutdown.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <csignal>
#include <thread>

#include "RunningProgram.h"
#include "TForm_Main.h"

using namespace std::chrono_literals;

namespace {

class BusyShutdown : public RunningProgram {
  protected:
    static int SomeMs(int mostMs) {
        return static_cast<int>(QRandomGenerator::global()->bounded(mostMs));
    }
};

// A silent unit on COM3 holds the search there for a whole time-out; the close comes at any
// point of the first search rounds.
TEST_F(BusyShutdown, DuringTheSearch) {
    sim::Options silent;
    silent.fault = sim::Fault::NoAnswer;
    AddUnit(silent, 3);
    Open();
    QTest::qWait(SomeMs(1500));
    EXPECT_FALSE(windows_->Main().ReaderThread->Connected());
}

// Replies come one byte every 200 ms: the close comes while the reader is inside one.
TEST_F(BusyShutdown, DuringATransaction) {
    sim::Options slow;
    slow.slowByteMs = 200;
    sim::SimulatedUnit& unit = AddUnit(slow);
    Open();
    ASSERT_TRUE(ConnectedVia(5));
    unit.setFault(sim::Fault::SlowBytes);
    unit.clearCommands();
    ASSERT_TRUE(Hears(unit, 1));
    QTest::qWait(SomeMs(400));
}

// The close request is queued while the GUI thread is still busy with a display update, so
// the reader's next hand-over queues up behind it: closing must keep serving hand-overs while
// it waits for the reader, or it never ends.
TEST_F(BusyShutdown, WhileAHandOverWaits) {
    sim::SimulatedUnit& unit = AddUnit();
    Open();
    ASSERT_TRUE(ConnectedVia(5));
    QLineEdit* mode = Field("Edit_StartModus");
    bool queued = false;
    QObject::connect(mode, &QLineEdit::textChanged, [&] {
        if (queued) {
            return;
        }
        queued = true;
        QTimer::singleShot(0, &windows_->Main(), [this] { windows_->Main().close(); });
        // Busy until the reader has sent its next query (and likely queued its result).
        const std::size_t heard = unit.commands().size();
        QElapsedTimer busy;
        busy.start();
        while (unit.commands().size() <= heard && busy.elapsed() < 500) {
            std::this_thread::yield();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(SomeMs(30)));
    });
    windows_->Main().PageControl_Kalvio->setCurrentIndex(TForm_Main::PageSpeed);
    windows_->Main().PageControl_Kalvio->setCurrentIndex(TForm_Main::PageStart);
    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(WaitUntil([this] { return windows_->Main().isHidden(); }, 10000));
    ExpectClosedInTime(timer.elapsed());
}

// The session ends (SIGTERM) while the start mode dialog is open: the dialog is cancelled, so
// nothing is sent, the language choice is stored, and the program ends.
TEST_F(BusyShutdown, WithADialogOpenWhenTheSessionEnds) {
    sim::SimulatedUnit& unit = AddUnit();
    Open();
    ASSERT_TRUE(ConnectedVia(5));
    auto* launcher = windows_->Main().findChild<QToolButton*>("SpeedButton_StartModus");
    ASSERT_NE(launcher, nullptr);
    ASSERT_TRUE(WaitUntil([launcher] { return launcher->isEnabled(); }));
    QElapsedTimer timer;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!timer.isValid() && dialog != nullptr && dialog->isVisible()) {
            timer.start();
            std::raise(SIGTERM);
        }
    });
    poll.start(SomeMs(20) + 1);
    unit.clearCommands();
    launcher->click();  // returns once the dialog is gone
    poll.stop();
    ASSERT_TRUE(timer.isValid()) << "the dialog never opened";
    EXPECT_TRUE(WaitUntil([this] { return windows_->Main().isHidden(); }, 10000));
    ExpectClosedInTime(timer.elapsed());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    for (const auto& command : unit.commands()) {
        EXPECT_NE(command.text.rfind("START.CMD ", 0), 0u) << "sent: " << command.text;
    }
    EXPECT_TRUE(
        QFileInfo::exists(QString::fromStdString(sandbox_.Root().file("CONFIG/Kalvio.ini"))));
}

}  // namespace
