// The keyboard beside a modal window: a compositor may give it to the main window that the
// modal window blocks (a click beside the dialog), where every key is dropped. The dialog takes
// it back, so that Escape and Enter act on the dialog without a click on it first.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "ModalKeyboardKeeper.h"
#include "ProcessingWait.h"
#include "ProgramSandbox.h"
#include "ProgramWindows.h"
#include "TForm_Main.h"

namespace {

// A dialog as the parameter dialogs are made: OK is the default button, Abbrechen has the focus.
class TwoButtonDialog : public QDialog {
  public:
    TwoButtonDialog() {
        auto* layout = new QHBoxLayout(this);
        auto* ok = new QPushButton(QStringLiteral("OK"), this);
        auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
        layout->addWidget(ok);
        layout->addWidget(cancel);
        ok->setDefault(true);
        cancel->setFocus();
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        setModal(true);
        resize(300, 200);
    }
};

bool HasKeyboard(const QWidget& window) {
    return QGuiApplication::focusWindow() == window.windowHandle();
}

class ModalKeyboardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        new ModalKeyboardKeeper(&main_);
        main_.resize(600, 400);
        main_.show();
        main_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main_, 5000));
        dialog_.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog_, 5000));
        ASSERT_EQ(QApplication::activeModalWidget(), &dialog_);
    }

    QWidget main_;
    TwoButtonDialog dialog_;
};

TEST_F(ModalKeyboardTest, DialogTakesTheKeyboardBackFromTheMainWindow) {
    QSignalSpy focusChanges(qApp, &QGuiApplication::focusWindowChanged);
    // As a compositor does on a click beside the dialog.
    main_.windowHandle()->requestActivate();
    ASSERT_TRUE(WaitProcessingEvents(
        [&] { return focusChanges.size() >= 2 && HasKeyboard(dialog_); }, 5000))
        << "changes of the keyboard's window: " << focusChanges.size();
    EXPECT_EQ(focusChanges.first().first().value<QWindow*>(), main_.windowHandle());

    QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Escape);
    EXPECT_TRUE(WaitProcessingEvents([this] { return !dialog_.isVisible(); }, 5000));
    EXPECT_EQ(dialog_.result(), QDialog::Rejected);
}

// The program's main window does it for its own dialogs: the start mode dialog gets the keyboard
// back and Escape cancels it.
TEST(ProgramModalKeyboardTest, ParameterDialogTakesTheKeyboardBackFromTheMainWindow) {
    ProgramSandbox sandbox;
    ProgramWindows windows([](const QString&) {});
    TForm_Main& main = windows.Main();
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main, 5000));

    enum class Step {
        WaitForWindow,
        WaitForKeyboardBack,
        EscapePressed
    } step = Step::WaitForWindow;
    bool mainHadKeyboard = false;
    bool closedByTest = false;
    QElapsedTimer sinceOpened;
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, &main, [&](QWindow* focus) {
        mainHadKeyboard =
            mainHadKeyboard || (step == Step::WaitForKeyboardBack && focus == main.windowHandle());
    });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            return;
        }
        if (step == Step::WaitForWindow && HasKeyboard(*modal)) {
            step = Step::WaitForKeyboardBack;
            sinceOpened.start();
            main.windowHandle()->requestActivate();
            return;
        }
        if (step == Step::WaitForKeyboardBack) {
            if (mainHadKeyboard && HasKeyboard(*modal)) {
                step = Step::EscapePressed;
                QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Escape);
                return;
            }
        }
        if (step != Step::WaitForWindow && sinceOpened.elapsed() > 10000) {
            // Still open: close it all the same, so that the test ends.
            closedByTest = true;
            static_cast<QDialog*>(modal)->reject();
        }
    });
    poll.start(10);
    main.SpeedButton_StartModusClick();
    EXPECT_TRUE(mainHadKeyboard);
    EXPECT_EQ(step, Step::EscapePressed) << "the dialog did not get the keyboard back";
    EXPECT_FALSE(closedByTest);
}

}  // namespace
