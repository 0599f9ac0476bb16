// The keyboard beside a modal window: a compositor may give it to the main window that the
// modal window blocks (a click beside the dialog), where every key is dropped. The dialog takes
// it back, so that Escape and Enter act on the dialog without a click on it first.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "ProgramSandbox.h"
#include "ProgramWindows.h"
#include "TForm_Main.h"

namespace {

bool HasKeyboard(const QWidget& window) {
    return QGuiApplication::focusWindow() == window.windowHandle();
}

// The start mode dialog gets the keyboard back from the main window, and Escape cancels it.
TEST(ModalKeyboardTest, ParameterDialogTakesTheKeyboardBackFromTheMainWindow) {
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
