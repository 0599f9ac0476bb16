// The main window against the simulated unit, in-process and headless.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QStringList>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <set>

#include "CommandLogQueries.h"
#include "PageWidgets.h"
#include "ProcessingWait.h"
#include "ProgramSandbox.h"
#include "SimulatedUnit.h"
#include "StateColours.h"
#include "TForm_Main.h"
#include "TemporaryFolder.h"

using namespace std::chrono_literals;
namespace colours = state_colours;

namespace {

bool WaitUntil(const std::function<bool()>& condition, int deadlineMs = 15000) {
    return WaitProcessingEvents(condition, deadlineMs);
}

class MainWindowTest : public ::testing::Test {
  protected:
    void TearDown() override {
        window_.reset();
        unit_.reset();
    }

    void startUnit(int slowByteMs = 50) {
        unit_ = sandbox_.StartUnit(slowByteMs);
        ASSERT_NE(unit_, nullptr);
    }
    void openWindow() {
        window_ =
            std::make_unique<TForm_Main>([this](const QString& message) { refusals_ << message; });
        QObject::connect(window_.get(), &QWidget::windowTitleChanged,
                         [this](const QString& title) { captions_ << title; });
        window_->show();
    }
    bool connected() {
        return WaitUntil(
            [this] { return captions_.contains("Kalvio - Quenzel AG    [Verbunden über COM5]"); });
    }
    // The window over a unit on COM5, once the reader has found it.
    void openConnected() {
        ASSERT_NO_FATAL_FAILURE(startUnit());
        openWindow();
        ASSERT_TRUE(connected());
    }
    template <typename Widget>
    Widget* find(const char* name) {
        Widget* widget = window_->findChild<Widget*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    // True once a fresh stretch of `count` commands holds exactly the queries named.
    bool pollsExactly(const std::set<std::string>& queries, std::size_t count) {
        unit_->clearCommands();
        return WaitUntil([&] {
            if (unit_->commands().size() < count) {
                return false;
            }
            if (commandsSeen() == queries) {
                return true;
            }
            unit_->clearCommands();  // a cycle of the page before was still running
            return false;
        });
    }
    std::set<std::string> commandsSeen() const {
        const std::vector<std::string> texts = test_support::TextsOf(unit_->commands());
        return {texts.begin(), texts.end()};
    }

    ProgramSandbox sandbox_;
    std::unique_ptr<sim::SimulatedUnit> unit_;
    std::unique_ptr<TForm_Main> window_;
    QStringList captions_;
    QStringList refusals_;
};

TEST_F(MainWindowTest, StartsOnTheStartPageWithDataFoldersBesideItsOwn) {
    const QString before = QDir::currentPath();
    openWindow();
    EXPECT_EQ(QDir::currentPath(), before);
    EXPECT_EQ(window_->windowTitle().left(19), "Kalvio - Quenzel AG");
    EXPECT_EQ(window_->PageControl_Kalvio->currentIndex(), 0);
    EXPECT_EQ(window_->StartFolder, before + "/");
    EXPECT_EQ(window_->ConfigFolder, QFileInfo(before).path() + "/CONFIG/");
    EXPECT_EQ(window_->size(), QSize(673, 573));
    EXPECT_EQ(window_->PageControl_Kalvio->count(), 4);
    auto* mode = find<QLineEdit>("Edit_StartModus");
    EXPECT_EQ(mode->text(), "?");
    EXPECT_EQ(state_colours::FieldColour(mode), colours::Yellow);
}

TEST_F(MainWindowTest, TabsAreButtonsOf144By50) {
    openWindow();
    for (int index = 0; index < window_->PageControl_Kalvio->count(); ++index) {
        EXPECT_EQ(window_->PageControl_Kalvio->tabBar()->tabRect(index).size(), QSize(144, 50))
            << index;
    }
}

// Bits 21 and 22 choose the page whose rotary switch is in use; both or neither: no page.
TEST_F(MainWindowTest, RotarySwitchGoesToThePageItsSelectorBitNames) {
    openWindow();
    const StartSignalPage& start = *window_->StartPage;
    const SpeedPage& speed = *window_->SpeedPageView;
    const std::tuple<uint32_t, bool, bool> rows[] = {
        {page_widgets::Bit(21), true, false},
        {page_widgets::Bit(22), false, true},
        {page_widgets::Bit(21) | page_widgets::Bit(22), false, false},
        {0, false, false},
    };
    for (const auto& [selector, startInUse, speedInUse] : rows) {
        SCOPED_TRACE(selector);
        const uint32_t word1 = selector | page_widgets::Bit(23);  // code 1
        window_->HandOver->InputOutputDisplay(std::to_string(static_cast<int32_t>(word1)), "0");
        EXPECT_EQ(start.Shape_StartDrehInput1er->brushColor(),
                  startInUse ? colours::Red : colours::Gray);
        EXPECT_EQ(start.Shape_StartDrehschalter->brushColor(),
                  startInUse ? start.Shape_StartUebersicht->brushColor() : colours::Gray);
        EXPECT_EQ(speed.Shape_SpeedDrehInput1er->brushColor(),
                  speedInUse ? colours::Red : colours::Gray);
        EXPECT_EQ(speed.Shape_SpeedDrehschalter->brushColor(),
                  speedInUse ? speed.Shape_SpeedUebersicht->brushColor() : colours::Gray);
    }
}

// A failed "START.CMD" hands over mode 0 with "?": the page takes mode 0's layout.
TEST_F(MainWindowTest, FailedStartModeQueryAfterModeTwoShowsModeZerosLayout) {
    openWindow();
    window_->HandOver->StartModeDisplay(2, false);
    ASSERT_FALSE(find<QLineEdit>("Edit_StartDelayMS")->isHidden());
    window_->HandOver->StartModeDisplay(0, true);
    EXPECT_TRUE(find<QLineEdit>("Edit_StartDelayMS")->isHidden());
    EXPECT_TRUE(find<QWidget>("Label_StartInputTitel")->isHidden());
    EXPECT_EQ(find<QLineEdit>("Edit_StartModus")->text(), "?");
    EXPECT_FALSE(find<QToolButton>("SpeedButton_StartModus")->isEnabled());
    EXPECT_EQ(window_->DeviceState.StartModusShown.load(), 0);
}

TEST_F(MainWindowTest, CaptionShowsTheSearchThenTheConnection) {
    ASSERT_NO_FATAL_FAILURE(openConnected());
    QStringList expected;
    for (int port = 1; port <= 5; ++port) {
        expected
            << QStringLiteral("Kalvio - Quenzel AG    [Verbindung suchen über COM%1]").arg(port);
    }
    expected << "Kalvio - Quenzel AG    [Verbunden über COM5]";
    EXPECT_EQ(captions_.mid(0, expected.size()), expected);
    EXPECT_TRUE(WaitUntil([this] { return find<QLineEdit>("Edit_StartModus")->text() == "Aus"; }));
}

TEST_F(MainWindowTest, ModeChangeInTheUnitSwitchesThePageLayout) {
    ASSERT_NO_FATAL_FAILURE(openConnected());
    window_->WriterThread->SetSlot1("START.CMD 2");
    ASSERT_TRUE(WaitUntil([this] {
        return find<QLineEdit>("Edit_StartModus")->text() == QString::fromUtf8("Verzögerung");
    }));
    EXPECT_FALSE(find<QLineEdit>("Edit_StartDelayMS")->isHidden());
    EXPECT_TRUE(find<QLineEdit>("Edit_StartGeneratorOn")->isHidden());
    EXPECT_TRUE(
        WaitUntil([this] { return find<QLineEdit>("Edit_StartDelayMS")->text() == "0 ms"; }));
    EXPECT_TRUE(find<QToolButton>("SpeedButton_StartDelayMS")->isEnabled());
}

// Leaving a page resets its values to "?"; coming back shows them again, unchanged as they are.
TEST_F(MainWindowTest, ValuesReturnWithTheirPage) {
    ASSERT_NO_FATAL_FAILURE(openConnected());
    auto* mode = find<QLineEdit>("Edit_StartModus");
    auto* device = find<QLineEdit>("Edit_OrvatronicDevice");
    ASSERT_TRUE(WaitUntil([mode] { return mode->text() == "Aus"; }));
    window_->PageControl_Kalvio->setCurrentIndex(TForm_Main::PageUnit);
    EXPECT_EQ(mode->text(), "?");
    ASSERT_TRUE(WaitUntil([device] { return device->text() == "Orvatronic  sim"; }));
    window_->PageControl_Kalvio->setCurrentIndex(TForm_Main::PageStart);
    EXPECT_TRUE(WaitUntil([mode] { return mode->text() == "Aus"; }));
}

TEST_F(MainWindowTest, ResetButtonSendsItsThreeCommandsAndSilenceFollows) {
    ASSERT_NO_FATAL_FAILURE(openConnected());
    auto* reset = find<QToolButton>("SpeedButton_StartReset");
    ASSERT_TRUE(WaitUntil([reset] { return reset->isEnabled(); }));
    unit_->clearCommands();
    reset->click();
    EXPECT_FALSE(reset->isEnabled()) << "one press, one set";
    ASSERT_TRUE(WaitUntil([&] {
        const auto log = unit_->commands();  // one snapshot for both questions
        return test_support::IndexOf(log, "RESET") + 1 < log.size();
    }));
    const auto commands = unit_->commands();
    const std::size_t index = test_support::IndexOf(commands, "RESET");
    // The reader's queries may come between the writer's commands, but not their order.
    EXPECT_EQ(test_support::CommandsAmong(commands, index, {"START.RESET", "KONFIG.SAVE", "RESET"}),
              (std::vector<std::string>{"START.RESET", "KONFIG.SAVE", "RESET"}));
    EXPECT_GE(commands[index + 1].at - commands[index].at, 500ms);
    // The mode reads "Aus" as before; the button comes back with the mode shown again.
    EXPECT_TRUE(WaitUntil([reset] { return reset->isEnabled(); }));
    EXPECT_EQ(find<QLineEdit>("Edit_StartModus")->text(), "Aus");
}

// A double click as the window system delivers it: press, release, double click, release. The
// writer is held, so the slots show what the clicks placed; between the two clicks they are
// emptied as the writer would take them.
TEST_F(MainWindowTest, DoubleClickOnResetPlacesOneSet) {
    openWindow();
    window_->WriterThread->Terminate();
    ASSERT_TRUE(WaitUntil([this] { return window_->WriterThread->Finished(); }));
    const std::tuple<const char*, int, const char*> buttons[] = {
        {"SpeedButton_StartReset", TForm_Main::PageStart, "START.RESET"},
        {"SpeedButton_SpeedReset", TForm_Main::PageSpeed, "SPEED.RESET"},
    };
    for (const auto& [name, page, command] : buttons) {
        SCOPED_TRACE(name);
        window_->PageControl_Kalvio->setCurrentIndex(page);
        window_->HandOver->StartModeDisplay(0, false);  // as the reader shows the modes
        window_->HandOver->SpeedModeDisplay(0, false);
        auto* reset = find<QToolButton>(name);
        ASSERT_TRUE(reset->isEnabled());
        QTest::mousePress(reset, Qt::LeftButton);
        QTest::mouseRelease(reset, Qt::LeftButton);
        EXPECT_EQ(window_->WriterThread->SlotsSnapshot(),
                  (std::array<std::string, 3>{command, "KONFIG.SAVE", "RESET"}));
        window_->WriterThread->SetSlot1("");
        window_->WriterThread->SetSlot2("");
        window_->WriterThread->SetSlot3("");
        QTest::mouseDClick(reset, Qt::LeftButton);
        QTest::mouseRelease(reset, Qt::LeftButton);
        EXPECT_EQ(window_->WriterThread->SlotsSnapshot(), (std::array<std::string, 3>{}));
    }
}

TEST_F(MainWindowTest, EachPagePollsItsOwnQueries) {
    ASSERT_NO_FATAL_FAILURE(openConnected());
    window_->PageControl_Kalvio->setCurrentIndex(TForm_Main::PageUnit);
    auto* device = find<QLineEdit>("Edit_OrvatronicDevice");
    EXPECT_EQ(device->text(), "?") << "a page change shows '?' at once";
    ASSERT_TRUE(WaitUntil([device] { return device->text() == "Orvatronic  sim"; }));
    EXPECT_EQ(state_colours::FieldColour(device), colours::Silver);
    EXPECT_TRUE(pollsExactly({"VERSION.HW", "VERSION.SW"}, 4));
    window_->PageControl_Kalvio->setCurrentIndex(TForm_Main::PagePc);
    EXPECT_TRUE(pollsExactly({"IO"}, 3));
    window_->PageControl_Kalvio->setCurrentIndex(TForm_Main::PageSpeed);
    EXPECT_TRUE(
        pollsExactly({"SPEED.CMD", "SPEED.GENERATOR", "SPEED.FAKTOR", "SPEED.SPEED", "IO"}, 10));
}

TEST_F(MainWindowTest, PulledUnitShowsUnknownAndIsFoundAgain) {
    ASSERT_NO_FATAL_FAILURE(openConnected());
    auto* mode = find<QLineEdit>("Edit_StartModus");
    ASSERT_TRUE(WaitUntil([mode] { return mode->text() == "Aus"; }));
    captions_.clear();
    unit_->vanish();
    ASSERT_TRUE(WaitUntil([this] {
        return captions_.contains("Kalvio - Quenzel AG    [Verbindung suchen über COM6]");
    }));
    EXPECT_EQ(mode->text(), "?");
    EXPECT_EQ(find<QLineEdit>("Edit_OrvatronicDevice")->text(), "?");
    ASSERT_TRUE(unit_->reappear());
    ASSERT_TRUE(connected());
    EXPECT_TRUE(WaitUntil([mode] { return mode->text() == "Aus"; }));
}

TEST_F(MainWindowTest, ErrorRepliesChangeNothing) {
    ASSERT_NO_FATAL_FAILURE(openConnected());
    window_->PageControl_Kalvio->setCurrentIndex(TForm_Main::PageSpeed);
    auto* factor = find<QLineEdit>("Edit_SpeedFaktor");
    ASSERT_TRUE(WaitUntil([factor] { return !factor->text().isEmpty(); }));
    const QString shown = factor->text();
    unit_->setFault(sim::Fault::ErrorToAll);
    unit_->clearCommands();
    ASSERT_TRUE(WaitUntil([this] { return unit_->commands().size() >= 15; }));
    EXPECT_EQ(factor->text(), shown);
    EXPECT_EQ(find<QLineEdit>("Edit_SpeedModus")->text(), "Aus");
    EXPECT_TRUE(window_->ReaderThread->Connected());
}

TEST_F(MainWindowTest, ClosingDuringATransactionEndsPromptly) {
    startUnit(200);
    openWindow();
    ASSERT_TRUE(connected());
    unit_->setFault(sim::Fault::SlowBytes);  // each reply now takes a second or more
    unit_->clearCommands();
    // The reader may be handing a result over: keep the event loop turning while waiting.
    ASSERT_TRUE(WaitUntil([this] { return !unit_->commands().empty(); }));
    QElapsedTimer timer;
    timer.start();
    window_->close();
    EXPECT_EQ(window_->ReaderThread, nullptr);
    EXPECT_EQ(window_->WriterThread, nullptr);
    EXPECT_LT(timer.elapsed(), 8000) << "at most the transaction in progress is waited for";
}

TEST_F(MainWindowTest, SecondInstanceIsTurnedAwayBeforeItMakesAnything) {
    openWindow();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(sandbox_.Root().path())));
    ASSERT_TRUE(QDir().mkpath("other/BIN") && QDir::setCurrent("other/BIN"));
    EXPECT_THROW(TForm_Main second([this](const QString& message) { refusals_ << message; }),
                 std::runtime_error);
    ASSERT_EQ(refusals_.size(), 1);
    EXPECT_TRUE(refusals_[0].startsWith(QString::fromUtf8(
        "Das Programm 'Kalvio' wird bereits ausgeführt...     \n\nThe 'Kalvio' program")));
    EXPECT_FALSE(QDir("../CONFIG").exists()) << "no data folder for a refused start";
    EXPECT_EQ(Form_Main, window_.get()) << "the first instance is unaffected";
}

}  // namespace
