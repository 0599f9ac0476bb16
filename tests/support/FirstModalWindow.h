// Acting in a modal window as a user does: the action that opens it returns only once it is
// closed, so the test's steps run from the event loop while it is open.
#pragma once

#include <functional>

class QWidget;

// Runs `open`; the first modal window that is active while it runs is handed to `act`, once.
// A window still open after the deadline is closed, so that the test ends. Whether `act` ran.
bool ActInFirstModalWindow(const std::function<void()>& open,
                           const std::function<void(QWidget& modal)>& act, int deadlineMs = 10000);
