#include "FirstModalWindow.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

bool ActInFirstModalWindow(const std::function<void()>& open,
                           const std::function<void(QWidget& modal)>& act, int deadlineMs) {
    bool acted = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!acted && modal != nullptr && modal->isActiveWindow()) {
            acted = true;
            act(*modal);
        }
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else if (modal != nullptr) {
            modal->close();
        }
    });
    poll.start(5);
    watchdog.start(deadlineMs);
    open();
    return acted;
}
