// The main window's keys beside Tab: Ctrl+Tab and Ctrl+PgDn turn to the next page,
// Ctrl+Shift+Tab and Ctrl+PgUp to the previous one, each wrapping around as tab controls do,
// wherever the focus is in the window; Shift+F10 asks for a context menu as the Menu key does.
// None of them reaches the window while a dialog is open over it, and the dialog takes the
// keyboard back when the main window gets it (ModalKeyboardKeeper).
#pragma once

#include <QKeySequence>
#include <QObject>
#include <initializer_list>

class QTabWidget;
class QWidget;

class MainWindowKeys : public QObject {
  public:
    MainWindowKeys(QWidget* window, QTabWidget* pages);

    // The page `step` pages on from `current` among `count`, wrapping around.
    static int PageAfter(int current, int step, int count);

  private:
    void MakeShortcut(std::initializer_list<QKeySequence> keys, void (MainWindowKeys::*action)());
    void NextPage();
    void PreviousPage();
    // The focused control gets the menu request (a value field offers none); without a focused
    // control the window does, which opens the general menu.
    void RequestContextMenu();

    QWidget* window_;
    QTabWidget* pages_;
};
