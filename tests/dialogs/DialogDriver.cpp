#include "DialogDriver.h"

#include "ProcessingWait.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

namespace dialog_test {

std::vector<std::string> Slots(Thread_Write& writer) {
    const auto snapshot = writer.SlotsSnapshot();
    return {snapshot.begin(), snapshot.end()};
}

void TypeInto(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(field, Qt::Key_Delete);
        return;
    }
    QTest::keyClicks(field, text);
}

void Show(QWidget& dialog) {
    dialog.show();
    dialog.activateWindow();
    if (!QTest::qWaitForWindowActive(&dialog, 5000)) {
        ADD_FAILURE() << "dialog never became the active window";
    }
}

bool WaitUntil(const std::function<bool()>& condition, int deadlineMs) {
    return WaitProcessingEvents(condition, deadlineMs);
}

int RunModal(ParameterDialogFrame& dialog, const std::function<void()>& act, bool* timedOut,
             int deadlineMs) {
    *timedOut = false;
    bool acted = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!acted && dialog.isVisible() && dialog.isActiveWindow()) {
            acted = true;
            act();
        }
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        if (dialog.isVisible()) {
            *timedOut = true;
            dialog.reject();
        }
    });
    poll.start();
    watchdog.start(deadlineMs);
    return dialog.ShowModalCovered();
}

Bench::Bench() {
    mainWindow.setGeometry(100, 80, 673, 573);
}

}  // namespace dialog_test
