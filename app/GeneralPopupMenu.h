// The main window's general popup menu: print, then (after a separator) the PC-side services
// and the information window, each item with a 16 x 16 image. Items are found by name.
#pragma once

#include <QMenu>
#include <functional>

class GeneralPopupMenu {
  public:
    // What each item does. Each covers the screen (the overlay, a dialog, a message), so each
    // runs only once the menu has left the screen and the window has painted itself again:
    // where nothing composites, the overlay would otherwise picture the menu into the dimmed
    // screen.
    struct Actions {
        std::function<void()> PrintScreen;
        std::function<void()> Hilfe;
        std::function<void()> Support;
        std::function<void()> Update;
        std::function<void()> Info;
    };

    static QMenu* Make(QWidget* window, const Actions& actions);
    static QAction* Item(QMenu* menu, const char* name);

  private:
    static void RunWhenMenuLeft(QAction* item, QWidget* window, std::function<void()> action);
};
