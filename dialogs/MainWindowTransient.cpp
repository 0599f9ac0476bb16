#include "MainWindowTransient.h"

#include <QWidget>
#include <QWindow>

void MakeTransientForMainWindow(QWidget& window, const QWidget* mainWindow) {
    QWindow* parent = mainWindow != nullptr ? mainWindow->window()->windowHandle() : nullptr;
    QWindow* own = window.windowHandle();
    if (parent != nullptr && own != nullptr && own != parent) {
        own->setTransientParent(parent);
    }
}
