#include "ListInput.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QWheelEvent>
#include <QWidget>

#include "FileDialogControls.h"
#include "VirtualListModel.h"
#include "VirtualListView.h"

namespace {

constexpr int WheelStep = 120;

}  // namespace

ListInput::ListInput(const FileDialogControls& ui, const VirtualListModel* model, QMenu* insertMenu,
                     QWidget* dialog)
    : QObject(dialog), ui_(ui), model_(model), insertMenu_(insertMenu), dialog_(dialog) {}

void ListInput::watch() {
    qApp->installEventFilter(this);
}

void ListInput::stopWatching() {
    qApp->removeEventFilter(this);
}

bool ListInput::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        return wheel(watched, static_cast<QWheelEvent*>(event));
    }
    const VirtualListView* list = ui_.lstvwVirtualList;
    if (event->type() == QEvent::KeyPress &&
        (watched == list->listView() || watched == list->tableView())) {
        return keyDown(static_cast<QKeyEvent*>(event));
    }
    return false;
}

bool ListInput::wheel(QObject* watched, QWheelEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || (widget != dialog_ && !dialog_->isAncestorOf(widget))) {
        return false;
    }
    if (ui_.lstvwVirtualList->isEnabled() && ui_.Panel_Mitte->isEnabled() &&
        ui_.lstvwVirtualList->selectedRow() >= 0) {
        wheelDelta_ += event->angleDelta().y();
        for (; wheelDelta_ >= WheelStep; wheelDelta_ -= WheelStep) {
            FormMouseWheelUp();
        }
        for (; wheelDelta_ <= -WheelStep; wheelDelta_ += WheelStep) {
            FormMouseWheelDown();
        }
    }
    event->accept();
    return true;
}

void ListInput::FormMouseWheelUp() {
    const int row = ui_.lstvwVirtualList->selectedRow();
    if (row > 0) {
        ui_.lstvwVirtualList->selectRowAsUser(row - 1);
    }
}

void ListInput::FormMouseWheelDown() {
    const int row = ui_.lstvwVirtualList->selectedRow();
    if (row >= 0 && row + 1 < model_->rowCount()) {
        ui_.lstvwVirtualList->selectRowAsUser(row + 1);
    }
}

// Keys count only while no operation has the panels disabled; a button that is disabled
// ignores its click.
bool ListInput::keyDown(QKeyEvent* event) {
    if (!ui_.panelsEnabled()) {
        return false;
    }
    switch (event->key()) {
        case Qt::Key_Backspace:
            ui_.SpeedButton_Back->click();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            ui_.lstvwVirtualList->activateSelectedRow();
            return true;
        case Qt::Key_Escape:
            ui_.SpeedButton_Abbrechen->click();
            return true;
        default:
            break;
    }
    if (commandKey(event)) {
        return true;
    }
    const QString text = event->text();
    const bool plain =
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plain && !text.isEmpty() && text.at(0).isPrint()) {
        typeAhead(text);
        return true;
    }
    return false;
}

// Delete alone; Ctrl+C, Ctrl+X and Ctrl+V only with Ctrl as the one modifier held. Ctrl+V
// inserts the newest entry of the insert list.
bool ListInput::commandKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Delete && modifiers == Qt::NoModifier) {
        ui_.SpeedButton_Delete->click();
        return true;
    }
    if (modifiers != Qt::ControlModifier) {
        return false;
    }
    switch (event->key()) {
        case Qt::Key_C:
            ui_.SpeedButton_Copy->click();
            return true;
        case Qt::Key_X:
            ui_.SpeedButton_Cut->click();
            return true;
        case Qt::Key_V:
            if (ui_.SpeedButton_Insert->isEnabled() && !insertMenu_->actions().isEmpty()) {
                insertMenu_->actions().first()->trigger();
            }
            return true;
        default:
            return false;
    }
}

// Letters typed in quick succession extend the search from the selected row; a new search
// starts after it, so pressing one letter again steps through the rows that begin with it.
void ListInput::typeAhead(const QString& text) {
    if (!typeAheadTimer_.isValid() ||
        typeAheadTimer_.elapsed() > QApplication::keyboardInputInterval()) {
        typeAheadText_.clear();
    }
    typeAheadTimer_.restart();
    const int selected = ui_.lstvwVirtualList->selectedRow();
    const int start = typeAheadText_.isEmpty() ? selected + 1 : qMax(selected, 0);
    typeAheadText_ += text;
    const int row = model_->find(typeAheadText_, start, true);
    if (row >= 0) {
        ui_.lstvwVirtualList->selectRowAsUser(row);
    }
}
