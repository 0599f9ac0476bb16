#include "MainWindowKeys.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QShortcut>
#include <QTabWidget>

#include "ModalKeyboardKeeper.h"

MainWindowKeys::MainWindowKeys(QWidget* window, QTabWidget* pages)
    : QObject(window), window_(window), pages_(pages) {
    MakeShortcut({QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)},
                 &MainWindowKeys::NextPage);
    // A real Shift+Tab arrives as Backtab; a key sent by a program may say Tab.
    MakeShortcut(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageUp)},
        &MainWindowKeys::PreviousPage);
    MakeShortcut({QKeySequence(Qt::SHIFT | Qt::Key_F10)}, &MainWindowKeys::RequestContextMenu);
    new ModalKeyboardKeeper(window_);
}

int MainWindowKeys::PageAfter(int current, int step, int count) {
    if (count <= 0) {
        return -1;
    }
    return ((current + step) % count + count) % count;
}

void MainWindowKeys::MakeShortcut(std::initializer_list<QKeySequence> keys,
                                  void (MainWindowKeys::*action)()) {
    auto* shortcut = new QShortcut(window_);
    shortcut->setKeys(keys);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, action);
}

void MainWindowKeys::NextPage() {
    pages_->setCurrentIndex(PageAfter(pages_->currentIndex(), 1, pages_->count()));
}

void MainWindowKeys::PreviousPage() {
    pages_->setCurrentIndex(PageAfter(pages_->currentIndex(), -1, pages_->count()));
}

void MainWindowKeys::RequestContextMenu() {
    QWidget* target = window_->focusWidget();
    if (target == nullptr || !target->isVisible()) {
        target = window_;
    }
    const QPoint pos = target->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
    QContextMenuEvent request(QContextMenuEvent::Keyboard, pos, target->mapToGlobal(pos),
                              Qt::ShiftModifier);
    QCoreApplication::sendEvent(target, &request);
}
