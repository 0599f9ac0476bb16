#include "ListInput.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListView>
#include <QTableView>
#include <QWheelEvent>
#include <QWidget>

#include "VirtualListView.h"

namespace {

constexpr int WheelStep = 120;

}  // namespace

ListInput::ListInput(ListInputHost& host, QWidget* dialog, VirtualListView* list)
    : QObject(dialog), host_(host), dialog_(dialog), list_(list) {}

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
    if (event->type() == QEvent::KeyPress &&
        (watched == list_->listView() || watched == list_->tableView())) {
        return keyDown(static_cast<QKeyEvent*>(event));
    }
    return false;
}

bool ListInput::wheel(QObject* watched, QWheelEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || (widget != dialog_ && !dialog_->isAncestorOf(widget))) {
        return false;
    }
    if (host_.wheelMovesSelection()) {
        wheelDelta_ += event->angleDelta().y();
        for (; wheelDelta_ >= WheelStep; wheelDelta_ -= WheelStep) {
            host_.stepSelection(-1);
        }
        for (; wheelDelta_ <= -WheelStep; wheelDelta_ += WheelStep) {
            host_.stepSelection(+1);
        }
    }
    event->accept();
    return true;
}

bool ListInput::keyDown(QKeyEvent* event) {
    if (!host_.acceptsKeys()) {
        return false;
    }
    switch (event->key()) {
        case Qt::Key_Backspace:
            host_.listBack();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            host_.listActivate();
            return true;
        case Qt::Key_Escape:
            host_.listCancel();
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

// Delete alone; Ctrl+C, Ctrl+X and Ctrl+V only with Ctrl as the one modifier held.
bool ListInput::commandKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Delete && modifiers == Qt::NoModifier) {
        host_.listCommand(ListInputHost::Command::Delete);
        return true;
    }
    if (modifiers != Qt::ControlModifier) {
        return false;
    }
    switch (event->key()) {
        case Qt::Key_C:
            host_.listCommand(ListInputHost::Command::Copy);
            return true;
        case Qt::Key_X:
            host_.listCommand(ListInputHost::Command::Cut);
            return true;
        case Qt::Key_V:
            host_.listCommand(ListInputHost::Command::InsertNewest);
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
    const int selected = host_.selectedRow();
    const int start = typeAheadText_.isEmpty() ? selected + 1 : qMax(selected, 0);
    typeAheadText_ += text;
    const int row = host_.findRow(typeAheadText_, start, true);
    if (row >= 0) {
        host_.selectRowAndApply(row);
    }
}
