#include "BusyIndication.h"

#include <QApplication>
#include <QCursor>

#include "VirtualListView.h"

BusyIndication::BusyIndication(VirtualListView* list) : list_(list) {
    list_->beginBusy();
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

BusyIndication::~BusyIndication() {
    if (cursorShown_) {
        QApplication::restoreOverrideCursor();
    }
    list_->endBusy();
}

void BusyIndication::suspendCursor() {
    if (cursorShown_) {
        QApplication::restoreOverrideCursor();
        cursorShown_ = false;
    }
}

void BusyIndication::resumeCursor() {
    if (!cursorShown_) {
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        cursorShown_ = true;
    }
}
