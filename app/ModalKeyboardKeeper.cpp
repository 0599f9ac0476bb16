#include "ModalKeyboardKeeper.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

ModalKeyboardKeeper::ModalKeyboardKeeper(QWidget* window) : QObject(window), window_(window) {
    connect(qApp, &QGuiApplication::focusWindowChanged, this,
            &ModalKeyboardKeeper::FocusWindowChanged);
}

void ModalKeyboardKeeper::FocusWindowChanged(QWindow* focus) {
    if (focus != nullptr && KeyboardBesideModal()) {
        // Not from within the activation that is still being reported.
        QMetaObject::invokeMethod(this, &ModalKeyboardKeeper::ReturnKeyboardToModal,
                                  Qt::QueuedConnection);
    }
}

void ModalKeyboardKeeper::ReturnKeyboardToModal() {
    if (!KeyboardBesideModal()) {
        return;
    }
    QWidget* modal = ModalOverWindow();
    modal->raise();
    modal->activateWindow();
}

QWidget* ModalKeyboardKeeper::ModalOverWindow() const {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == window_ || !modal->isVisible()) {
        return nullptr;
    }
    return modal;
}

bool ModalKeyboardKeeper::KeyboardBesideModal() const {
    const QWindow* focus = QGuiApplication::focusWindow();
    return focus != nullptr && focus == window_->windowHandle() && ModalOverWindow() != nullptr;
}
