#include "MainWindowTransient.h"

#include <QWidget>
#include <QWindow>

#include "ScreenCompositing.h"

void MakeTransientForMainWindow(QWidget& window, const QWidget* mainWindow) {
    if (!WaylandSession()) {
        return;
    }
    QWindow* parent = mainWindow != nullptr ? mainWindow->window()->windowHandle() : nullptr;
    QWindow* own = window.windowHandle();
    if (parent != nullptr && own != nullptr && own != parent) {
        own->setTransientParent(parent);
    }
}
