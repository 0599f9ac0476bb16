#include "ProcessingWait.h"

#include <QApplication>
#include <QElapsedTimer>

bool WaitProcessingEvents(const std::function<bool()>& condition, int deadlineMs) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > deadlineMs) {
            return false;
        }
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}
