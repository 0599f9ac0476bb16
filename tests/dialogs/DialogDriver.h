// Driving the parameter dialogs in tests: a main window to centre over, a writer whose slots
// are read but never sent, typing into fields, and modal showings that act on the dialog once
// it is shown and give up after a deadline.
#pragma once

#include <QLineEdit>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "DeviceStateRecord.h"
#include "ParameterDialogFrame.h"
#include "Thread_Write.h"

namespace dialog_test {

// The three slots of a writer that is never started, so nothing takes them.
std::vector<std::string> Slots(Thread_Write& writer);

// Replaces the field's text by typing, one key at a time, as a user does after selecting all.
void TypeInto(QLineEdit* field, const QString& text);

// Shows the dialog (a new showing: centred, pre-filled) and makes it the active window, as a
// click on its launcher does, so that focus moves between its controls as for a user.
void Show(QWidget& dialog);

// Processes events until the condition holds or the deadline passes.
bool WaitUntil(const std::function<bool()>& condition, int deadlineMs = 10000);

// Runs ShowModalCovered; once the dialog is shown and active, act() runs on it. A dialog still open
// after the deadline is closed with Rejected and *timedOut set.
int RunModal(ParameterDialogFrame& dialog, const std::function<void()>& act, bool* timedOut,
             int deadlineMs = 10000);

// What every dialog test needs: the state a dialog pre-fills from, a writer, a main window.
struct Bench {
    Bench();
    DeviceStateRecord state;
    Thread_Write writer;
    QWidget mainWindow;
};

}  // namespace dialog_test
