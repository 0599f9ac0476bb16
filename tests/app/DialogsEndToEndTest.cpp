// Each parameter dialog against the simulated unit: opened from its page's button, changed,
// confirmed; the unit hears the writer's commands in order (with the silence after "RESET"),
// and the page then shows the value read back from the unit.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QLocale>
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
#include "TFormSpeedFaktor.h"
#include "TFormSpeedGenerator.h"
#include "TFormSpeedModus.h"
#include "TFormStartDelay.h"
#include "TFormStartDelayMM.h"
#include "TFormStartGenerator.h"
#include "TFormStartModus.h"
#include "TForm_Abdeckung.h"
#include "TForm_Info.h"
#include "TForm_Main.h"
#include "TemporaryFolder.h"

using namespace std::chrono_literals;
using Strings = std::vector<std::string>;

namespace {

bool WaitUntil(const std::function<bool()>& condition, int deadlineMs = 15000) {
    return WaitProcessingEvents(condition, deadlineMs);
}

// One dialog's road: the unit put into the mode whose value is set, the launcher, the change
// made in the dialog, what the writer must send, and what the page then shows.
struct Road {
    int page;
    const char* arrange;  // a command sent first, or nullptr
    const char* launcher;
    std::function<void()> change;  // runs on the shown dialog; ends with OK
    Strings written;
    const char* field;
    QString shown;
};

class DialogsEndToEndTest : public ConnectedProgram {
  protected:
    template <typename Widget>
    Widget* Find(const char* name) {
        return window_->findChild<Widget*>(QLatin1String(name));
    }

    // Clicks the launcher; once a dialog is shown and active, change() works on it. A dialog
    // still open after the deadline is cancelled and the test fails.
    void Launch(QToolButton* launcher, const std::function<void()>& change) {
        LaunchBy([launcher] { launcher->click(); }, change);
    }
    void LaunchBy(const std::function<void()>& launch, const std::function<void()>& change) {
        bool coveredWhileOpen = false;
        const bool changed = ActInFirstModalWindow(launch, [&](QWidget&) {
            coveredWhileOpen = Form_Abdeckung->isVisible();
            change();
        });
        EXPECT_TRUE(changed) << "the dialog never opened";
        EXPECT_TRUE(coveredWhileOpen);
        EXPECT_FALSE(Form_Abdeckung->isVisible());
    }

    void Travel(const Road& road) {
        ASSERT_TRUE(WaitConnected());
        window_->PageControl_Kalvio->setCurrentIndex(road.page);
        auto* launcher = Find<QToolButton>(road.launcher);
        ASSERT_NE(launcher, nullptr) << road.launcher;
        if (road.arrange != nullptr) {
            window_->WriterThread->SetSlot1(road.arrange);
        }
        ASSERT_TRUE(WaitUntil([&] { return launcher->isEnabled() && launcher->isVisible(); }))
            << road.launcher;
        unit_->clearCommands();
        Launch(launcher, road.change);

        const std::set<std::string> writerCommands(road.written.begin(), road.written.end());
        const std::string& last = road.written.back();
        // Wait for the last command, and for one more after it: the next query.
        ASSERT_TRUE(WaitUntil([&] {
            const auto log = unit_->commands();
            return test_support::IndexOf(log, last) + 1 < log.size();
        }));
        const auto log = unit_->commands();
        const std::size_t lastIndex = test_support::IndexOf(log, last);
        EXPECT_EQ(test_support::CommandsAmong(log, lastIndex, writerCommands), road.written);
        if (last == "RESET") {
            EXPECT_GE(log[lastIndex + 1].at - log[lastIndex].at, 500ms) << "silence after RESET";
        } else {
            EXPECT_EQ(test_support::IndexOf(log, "RESET"), log.size()) << "no RESET";
        }
        auto* field = Find<QLineEdit>(road.field);
        ASSERT_NE(field, nullptr) << road.field;
        EXPECT_TRUE(WaitUntil([&] { return field->text() == road.shown; }))
            << road.field << " shows " << field->text().toStdString();
    }
};

TEST_F(DialogsEndToEndTest, StartModeToGenerator) {
    Travel({TForm_Main::PageStart,
            nullptr,
            "SpeedButton_StartModus",
            [] {
                FormStartModus->ComboBox_StartModus->setCurrentIndex(1);
                FormStartModus->BitBtn_OK->click();
            },
            {"START.CMD 1", "KONFIG.SAVE", "RESET"},
            "Edit_StartModus",
            "Generator"});
    EXPECT_EQ(unit_->storedSettings().startMode, 1u);
}

TEST_F(DialogsEndToEndTest, StartGeneratorTimes) {
    Travel({TForm_Main::PageStart,
            "START.CMD 1",
            "SpeedButton_StartGenerator",
            [] {
                FormStartGenerator->Edit_StartGeneratorOn->setText("250");
                FormStartGenerator->Edit_StartGeneratorOff->setText("40000");
                FormStartGenerator->BitBtn_OK->click();
            },
            {"START.GENERATOR 250 30000", "KONFIG.SAVE"},
            "Edit_StartGeneratorOff",
            "30000 ms"});
    EXPECT_EQ(Find<QLineEdit>("Edit_StartGeneratorOn")->text(), "250 ms");
}

TEST_F(DialogsEndToEndTest, StartDelay) {
    Travel({TForm_Main::PageStart,
            "START.CMD 2",
            "SpeedButton_StartDelayMS",
            [] {
                FormStartDelay->Edit_StartDelay->setText("1200");
                FormStartDelay->BitBtn_OK->click();
            },
            {"START.DELAY 1200", "KONFIG.SAVE"},
            "Edit_StartDelayMS",
            "1200 ms"});
}

TEST_F(DialogsEndToEndTest, StartShift) {
    Travel({TForm_Main::PageStart,
            "START.CMD 3",
            "SpeedButton_StartDelayMM",
            [] {
                FormStartDelayMM->Edit_StartDelayMM->setText("1500");
                FormStartDelayMM->BitBtn_OK->click();
            },
            {"START.SHIFT 1333", "KONFIG.SAVE"},
            "Edit_StartDelayMM",
            "1333 mm"});
}

TEST_F(DialogsEndToEndTest, SpeedModeToTtl) {
    Travel({TForm_Main::PageSpeed,
            nullptr,
            "SpeedButton_SpeedModus",
            [] {
                FormSpeedModus->ComboBox_SpeedModus->setCurrentIndex(3);
                FormSpeedModus->BitBtn_OK->click();
            },
            {"SPEED.CMD 3", "KONFIG.SAVE", "RESET"},
            "Edit_SpeedModus",
            "Geschwindigkeit anpassen (TTL)"});
}

TEST_F(DialogsEndToEndTest, SpeedGeneratorNegative) {
    Travel({TForm_Main::PageSpeed,
            "SPEED.CMD 1",
            "SpeedButton_SpeedGenerator",
            [] {
                FormSpeedGenerator->Edit_SpeedGenerator->setText("-");
                EXPECT_FALSE(FormSpeedGenerator->BitBtn_OK->isEnabled());
                FormSpeedGenerator->Edit_SpeedGenerator->setText("-150");
                FormSpeedGenerator->BitBtn_OK->click();
            },
            {"SPEED.GENERATOR -150", "KONFIG.SAVE"},
            "Edit_SpeedGenerator",
            "-150 mm/s"});
}

// The factor is typed with the regional separator; while the dialog is open the speed page is
// still polled, and the measured input speed reaches the dialog.
TEST_F(DialogsEndToEndTest, SpeedFactorWhileTheInputSpeedIsMeasured) {
    const QString separator = QLocale().decimalPoint();
    bool inputSpeedFollowed = false;
    Travel({TForm_Main::PageSpeed,
            "SPEED.CMD 2",
            "SpeedButton_SpeedFaktor",
            [&] {
                // The unit's input speed drifts: the open dialog must follow it.
                const QString atOpening = FormSpeedFaktor->Edit_SpeedIst->text();
                inputSpeedFollowed = WaitUntil([this, &atOpening] {
                    const QString shown = FormSpeedFaktor->Edit_SpeedIst->text();
                    return shown != atOpening &&
                           shown == QString::number(window_->DeviceState.SpeedInput.load());
                });
                FormSpeedFaktor->Edit_SpeedFaktor->setText("2" + separator + "5009");
                FormSpeedFaktor->BitBtn_OK->click();
            },
            {"SPEED.FAKTOR 2500", "KONFIG.SAVE"},
            "Edit_SpeedFaktor",
            "2" + QLocale::system().decimalPoint() + "500"});
    EXPECT_TRUE(inputSpeedFollowed);
    EXPECT_EQ(unit_->storedSettings().speedFactor, 2500);
}

// On a desktop with a decimal comma the speed page shows the factor as the factor dialog does,
// and a factor typed with the comma comes back to the page with it.
class DecimalCommaDesktopTest : public DialogsEndToEndTest {
  protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        DialogsEndToEndTest::SetUp();
    }
    void TearDown() override {
        DialogsEndToEndTest::TearDown();
        QLocale::setDefault(QLocale::system());
    }
};

TEST_F(DecimalCommaDesktopTest, PageAndFactorDialogShowTheSameSeparator) {
    QString onPage, inDialog;
    Travel({TForm_Main::PageSpeed,
            "SPEED.CMD 2",
            "SpeedButton_SpeedFaktor",
            [&] {
                onPage = Find<QLineEdit>("Edit_SpeedFaktor")->text();
                inDialog = FormSpeedFaktor->Edit_SpeedFaktor->text();
                FormSpeedFaktor->Edit_SpeedFaktor->setText("2,5");
                FormSpeedFaktor->BitBtn_OK->click();
            },
            {"SPEED.FAKTOR 2500", "KONFIG.SAVE"},
            "Edit_SpeedFaktor",
            "2,500"});
    EXPECT_TRUE(onPage.contains(',')) << onPage.toStdString();
    EXPECT_EQ(onPage.toStdString(), inDialog.toStdString());
}

// The PC page's version button opens the information window over the dimmed screen; two
// turns of the page close it and uncover.
TEST_F(DialogsEndToEndTest, VersionButtonShowsInformationWindow) {
    window_->PageControl_Kalvio->setCurrentIndex(TForm_Main::PagePc);
    bool onPageOne = false;
    Launch(Find<QToolButton>("SpeedButton_VersionKalvio"), [&] {
        ASSERT_EQ(QApplication::activeModalWidget(), Form_Info);
        onPageOne = Form_Info->PageNumberTag() == 1;
        QTest::keyClick(Form_Info, Qt::Key_Escape);
        QTest::keyClick(Form_Info, Qt::Key_Escape);
    });
    EXPECT_TRUE(onPageOne);
    EXPECT_FALSE(Form_Info->isVisible());
    EXPECT_EQ(ProgramWindows::Find("Form_Info"), Form_Info);

    // The general menu's Info item does the same, from any page.
    window_->PageControl_Kalvio->setCurrentIndex(TForm_Main::PageStart);
    bool shown = false;
    // The menu's items run queued, once the menu has left the screen.
    LaunchBy(
        [this] {
            window_->PopupMenu_Algemein->findChild<QAction*>("Info")->trigger();
            QCoreApplication::sendPostedEvents(window_, QEvent::MetaCall);
        },
        [&] {
            shown = QApplication::activeModalWidget() == Form_Info;
            QTest::keyClick(Form_Info, Qt::Key_Escape);
            QTest::keyClick(Form_Info, Qt::Key_Escape);
        });
    EXPECT_TRUE(shown);
}

// Cancel sends nothing: the unit hears only the reader's queries.
TEST_F(DialogsEndToEndTest, CancelSendsNothing) {
    ASSERT_TRUE(
        WaitUntil([this] { return Find<QToolButton>("SpeedButton_StartModus")->isEnabled(); }));
    unit_->clearCommands();
    Launch(Find<QToolButton>("SpeedButton_StartModus"), [] {
        FormStartModus->ComboBox_StartModus->setCurrentIndex(3);
        FormStartModus->BitBtn_Cancel->click();
    });
    ASSERT_TRUE(WaitUntil([this] { return unit_->commands().size() >= 10; }));
    for (const auto& command : unit_->commands()) {
        EXPECT_FALSE(test_support::ChangesTheUnit(command.text)) << command.text;
    }
}

// After a dialog closes, no key sequence sends anything: a stray Space on a launcher, a Tab
// stop, only opens its dialog again, which Escape cancels, and no Tab stops at the Reset
// buttons, so nothing can reset the unit's stored settings.
TEST_F(DialogsEndToEndTest, NoKeyPressAfterADialogClosesSendsAnything) {
    auto* launcher = Find<QToolButton>("SpeedButton_StartModus");
    ASSERT_TRUE(WaitUntil([&] {
        return launcher->isEnabled() && Find<QToolButton>("SpeedButton_StartReset")->isEnabled();
    }));
    Launch(launcher, [] { QTest::keyClick(FormStartModus, Qt::Key_Escape); });
    int resets = 0;
    for (const char* reset : {"SpeedButton_StartReset", "SpeedButton_SpeedReset"}) {
        QObject::connect(Find<QToolButton>(reset), &QAbstractButton::clicked,
                         [&resets] { ++resets; });
    }
    int reopened = 0;
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [&reopened] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            ++reopened;
            QTest::keyClick(dialog, Qt::Key_Escape);
        }
    });
    cancel.start(5);
    unit_->clearCommands();
    for (int round = 0; round < 30; ++round) {
        for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
            QWidget* focus = window_->focusWidget();
            QTest::keyClick(focus != nullptr ? focus : window_, key);
        }
    }
    EXPECT_EQ(resets, 0);
    EXPECT_GT(reopened, 0) << "the keys never reached a launcher";
    ASSERT_TRUE(WaitUntil([this] { return unit_->commands().size() >= 10; }));
    for (const auto& command : unit_->commands()) {
        EXPECT_FALSE(test_support::ChangesTheUnit(command.text)) << command.text;
    }
}

// The page names the modes with the dialog's list, so a renamed entry shows on the page.
TEST_F(DialogsEndToEndTest, ModeDisplayTakesTheNameFromTheDialogsList) {
    ASSERT_TRUE(WaitUntil([this] { return Find<QLineEdit>("Edit_StartModus")->text() == "Aus"; }));
    FormStartModus->ComboBox_StartModus->setItemText(0, "Off");
    EXPECT_TRUE(WaitUntil([this] { return Find<QLineEdit>("Edit_StartModus")->text() == "Off"; }));
}

}  // namespace
