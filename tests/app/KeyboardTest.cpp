// The main window without a mouse: the keys that turn the pages and open the general menu, and
// a walk on the keyboard alone, against the simulated unit, that reaches every page and opens,
// confirms and cancels every dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <set>

#include "CommandLogQueries.h"
#include "ConnectedProgram.h"
#include "FirstModalWindow.h"
#include "ProcessingWait.h"
#include "ProgramSandbox.h"
#include "ProgramWindows.h"
#include "SimulatedUnit.h"
#include "TForm_Main.h"

using Strings = std::vector<std::string>;

namespace {

bool WaitUntil(const std::function<bool()>& condition, int deadlineMs = 15000) {
    return WaitProcessingEvents(condition, deadlineMs);
}

// A key as a user presses it: to the focused control, or to the window when none has focus.
void Press(QWidget& window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus != nullptr ? focus : &window, key, modifiers);
}

bool MakeActive(QWidget& window) {
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window, 5000);
}

class MainWindowKeysTest : public ::testing::Test {
  protected:
    void SetUp() override {
        windows_ = std::make_unique<ProgramWindows>([](const QString&) {});
        main().show();
        ASSERT_TRUE(MakeActive(main()));
    }
    TForm_Main& main() { return windows_->Main(); }

    ProgramSandbox sandbox_;
    std::unique_ptr<ProgramWindows> windows_;
};

TEST_F(MainWindowKeysTest, PageKeysTurnThePagesAndWrapAround) {
    struct Row {
        int from;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int to;
    };
    const Row rows[] = {
        {0, Qt::Key_Tab, Qt::ControlModifier, 1},
        {3, Qt::Key_Tab, Qt::ControlModifier, 0},
        {2, Qt::Key_PageDown, Qt::ControlModifier, 3},
        {3, Qt::Key_PageDown, Qt::ControlModifier, 0},
        {0, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 3},
        {2, Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier, 1},
        {1, Qt::Key_PageUp, Qt::ControlModifier, 0},
        {0, Qt::Key_PageUp, Qt::ControlModifier, 3},
    };
    for (const Row& row : rows) {
        main().PageControl_Kalvio->setCurrentIndex(row.from);
        Press(main(), row.key, row.modifiers);
        EXPECT_EQ(main().PageControl_Kalvio->currentIndex(), row.to)
            << "from " << row.from << " key "
            << QKeySequence(row.key | row.modifiers).toString().toStdString();
    }
}

// Shift+F10 asks the focused control for its menu, as the Menu key does: a value field offers
// none, anything else passes the request on to the window's general menu.
TEST_F(MainWindowKeysTest, ShiftF10OpensTheGeneralMenuWhereTheMenuKeyWould) {
    const std::pair<const char*, bool> rows[] = {
        {nullptr, true},
        {"SpeedButton_StartModus", true},
        {"Edit_StartModus", false},
    };
    for (const auto& [focused, opens] : rows) {
        SCOPED_TRACE(focused != nullptr ? focused : "no focus");
        if (focused != nullptr) {
            QWidget* control = main().findChild<QWidget*>(focused);
            ASSERT_NE(control, nullptr);
            control->setEnabled(true);
            control->setFocus(Qt::OtherFocusReason);
        } else if (QWidget* focus = QApplication::focusWidget()) {
            focus->clearFocus();
        }
        Press(main(), Qt::Key_F10, Qt::ShiftModifier);
        EXPECT_EQ(main().PopupMenu_Algemein->isVisible(), opens);
        main().PopupMenu_Algemein->hide();
        ASSERT_TRUE(MakeActive(main()));
    }
}

// What a user types in an open dialog: a key, or a text.
struct Stroke {
    Qt::Key key;
    QString text = QString();
};

// One stretch of the walk: the page reached with a page key, the launcher reached with Tab and
// pressed with Space, the keys typed in the dialog, and what the unit then hears.
struct Stretch {
    const char* name;
    const char* arrange;  // a command sent first to put the unit in the mode needed, or nullptr
    int page;
    Qt::Key pageKey;
    Qt::KeyboardModifiers pageModifiers;
    const char* launcher;  // nullptr: the page is only reached
    std::vector<Stroke> strokes;
    Strings heard;  // empty: nothing but the reader's queries
};

class KeyboardWalkTest : public ConnectedProgram {
  protected:
    void SetUp() override {
        ConnectedProgram::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_TRUE(MakeActive(*window_));
        ASSERT_TRUE(WaitConnected());
    }

    bool ReachPage(const Stretch& stretch) {
        for (int press = 0;
             press < 4 && window_->PageControl_Kalvio->currentIndex() != stretch.page; ++press) {
            Press(*window_, stretch.pageKey, stretch.pageModifiers);
        }
        return window_->PageControl_Kalvio->currentIndex() == stretch.page;
    }

    bool TabTo(QWidget* launcher) {
        for (int press = 0; press < 20 && QApplication::focusWidget() != launcher; ++press) {
            Press(*window_, Qt::Key_Tab);
        }
        return QApplication::focusWidget() == launcher;
    }

    // Space on the launcher; once a window opens over the main window, the strokes go to its
    // focused control. A window still open after the deadline is closed and the test fails.
    bool OpenAndType(const std::vector<Stroke>& strokes) {
        const bool typed = ActInFirstModalWindow([this] { Press(*window_, Qt::Key_Space); },
                                                 [&strokes](QWidget& modal) {
                                                     for (const Stroke& stroke : strokes) {
                                                         TypeStroke(modal, stroke);
                                                     }
                                                 });
        return typed && QApplication::activeModalWidget() == nullptr;
    }

    // One stroke into the modal window's focused control.
    static void TypeStroke(QWidget& modal, const Stroke& stroke) {
        QWidget* focus = QApplication::focusWidget();
        QWidget* target = focus != nullptr ? focus : &modal;
        if (stroke.text.isEmpty()) {
            QTest::keyClick(target, stroke.key);
        } else {
            QTest::keyClicks(target, stroke.text);
        }
    }

    void ExpectHeard(const Strings& heard) {
        if (heard.empty()) {
            ASSERT_TRUE(WaitUntil([this] { return unit_->commands().size() >= 10; }));
            for (const auto& command : unit_->commands()) {
                EXPECT_FALSE(test_support::ChangesTheUnit(command.text)) << command.text;
            }
            return;
        }
        ASSERT_TRUE(WaitUntil([&] {
            const auto log = unit_->commands();
            return test_support::IndexOf(log, heard.back()) + 1 < log.size();
        })) << heard.back();
        const auto log = unit_->commands();
        EXPECT_EQ(test_support::CommandsAmong(log, test_support::IndexOf(log, heard.back()),
                                              {heard.begin(), heard.end()}),
                  heard);
    }

    void Walk(const Stretch& stretch) {
        SCOPED_TRACE(stretch.name);
        if (stretch.arrange != nullptr) {
            window_->WriterThread->SetSlot1(stretch.arrange);
        }
        ASSERT_TRUE(ReachPage(stretch));
        if (stretch.launcher == nullptr) {
            return;
        }
        auto* launcher = window_->findChild<QToolButton*>(stretch.launcher);
        ASSERT_NE(launcher, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return launcher->isEnabled() && launcher->isVisible(); }));
        ASSERT_TRUE(TabTo(launcher));
        unit_->clearCommands();
        EXPECT_TRUE(OpenAndType(stretch.strokes));
        ExpectHeard(stretch.heard);
        // As the window manager does: the main window is active again once the dialog is gone.
        ASSERT_TRUE(MakeActive(*window_));
    }
};

TEST_F(KeyboardWalkTest, ReachesEveryPageAndConfirmsAndCancelsEveryDialog) {
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    const QString separator = QLocale().decimalPoint();
    const Stroke tab{Qt::Key_Tab}, down{Qt::Key_Down}, enter{Qt::Key_Return},
        escape{Qt::Key_Escape}, space{Qt::Key_Space};
    const auto type = [](const QString& text) { return Stroke{Qt::Key_unknown, text}; };
    const Stretch walk[] = {
        {"start mode, confirmed",
         "START.CMD 0",
         0,
         Qt::Key_Tab,
         ctrl,
         "SpeedButton_StartModus",
         {tab, down, enter},
         {"START.CMD 1", "KONFIG.SAVE", "RESET"}},
        {"start mode, cancelled",
         nullptr,
         0,
         Qt::Key_Tab,
         ctrl,
         "SpeedButton_StartModus",
         {tab, down, escape},
         {}},
        {"start generator, confirmed",
         "START.CMD 1",
         0,
         Qt::Key_Tab,
         ctrl,
         "SpeedButton_StartGenerator",
         {tab, type("250"), tab, type("400"), enter},
         {"START.GENERATOR 250 400", "KONFIG.SAVE"}},
        {"start generator, cancelled",
         nullptr,
         0,
         Qt::Key_Tab,
         ctrl,
         "SpeedButton_StartGenerator",
         {tab, type("9"), escape},
         {}},
        {"start delay, confirmed",
         "START.CMD 2",
         0,
         Qt::Key_Tab,
         ctrl,
         "SpeedButton_StartDelayMS",
         {tab, type("1200"), enter},
         {"START.DELAY 1200", "KONFIG.SAVE"}},
        {"start delay, cancelled",
         nullptr,
         0,
         Qt::Key_Tab,
         ctrl,
         "SpeedButton_StartDelayMS",
         {tab, type("77"), escape},
         {}},
        {"start shift, confirmed",
         "START.CMD 3",
         0,
         Qt::Key_Tab,
         ctrl,
         "SpeedButton_StartDelayMM",
         {tab, type("700"), enter},
         {"START.SHIFT 700", "KONFIG.SAVE"}},
        // Round the dialog to Abbrechen and press it.
        {"start shift, cancelled on Abbrechen",
         nullptr,
         0,
         Qt::Key_Tab,
         ctrl,
         "SpeedButton_StartDelayMM",
         {tab, type("5"), tab, tab, space},
         {}},
        {"speed mode, confirmed",
         "SPEED.CMD 0",
         1,
         Qt::Key_Tab,
         ctrl,
         "SpeedButton_SpeedModus",
         {tab, down, enter},
         {"SPEED.CMD 1", "KONFIG.SAVE", "RESET"}},
        {"speed mode, cancelled",
         nullptr,
         1,
         Qt::Key_Tab,
         ctrl,
         "SpeedButton_SpeedModus",
         {tab, down, escape},
         {}},
        {"speed generator, confirmed",
         "SPEED.CMD 1",
         1,
         Qt::Key_PageDown,
         ctrl,
         "SpeedButton_SpeedGenerator",
         {tab, type("-150"), enter},
         {"SPEED.GENERATOR -150", "KONFIG.SAVE"}},
        {"speed generator, cancelled",
         nullptr,
         1,
         Qt::Key_PageDown,
         ctrl,
         "SpeedButton_SpeedGenerator",
         {escape},
         {}},
        {"speed factor, confirmed",
         "SPEED.CMD 2",
         1,
         Qt::Key_PageDown,
         ctrl,
         "SpeedButton_SpeedFaktor",
         {tab, tab, type("1" + separator + "5"), enter},
         {"SPEED.FAKTOR 1500", "KONFIG.SAVE"}},
        {"speed factor, cancelled",
         nullptr,
         1,
         Qt::Key_PageDown,
         ctrl,
         "SpeedButton_SpeedFaktor",
         {tab, tab, type("3"), escape},
         {}},
        {"unit page", nullptr, 2, Qt::Key_PageDown, ctrl, nullptr, {}, {}},
        {"information window, closed",
         nullptr,
         3,
         Qt::Key_Backtab,
         ctrlShift,
         "SpeedButton_VersionKalvio",
         {escape, escape},
         {}},
        {"language file dialog, cancelled",
         nullptr,
         3,
         Qt::Key_PageUp,
         ctrl,
         "SpeedButton_VersionSprache",
         {escape},
         {}},
        {"back to the start page", nullptr, 0, Qt::Key_PageUp, ctrl, nullptr, {}, {}},
    };
    for (const Stretch& stretch : walk) {
        Walk(stretch);
        if (HasFatalFailure()) {
            return;
        }
    }
}

}  // namespace
