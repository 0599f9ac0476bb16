// The main window's general popup menu: print, then (after a separator) the PC-side services
// and the information window, each item with a 16 x 16 image. Items are found by name.
#pragma once

#include <QMenu>

class GeneralPopupMenu {
  public:
    static QMenu* Make(QWidget* window);
    static QAction* Item(QMenu* menu, const char* name);
};
