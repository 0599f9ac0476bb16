// Keeps the keyboard with the modal window that is open over the main window.
//
// A click beside a dialog lands on the main window, and some Wayland compositors then give the
// main window the keyboard although the dialog blocks it. The toolkit drops every key that a
// blocked window gets, so Escape and Enter would do nothing until the dialog is clicked. When
// the main window takes the keyboard while a modal window is open, the modal window is raised
// and asks for the keyboard back, once the event loop turns. A Wayland compositor decides on
// such a request by its own rules and may refuse it.
#pragma once

#include <QObject>

class QWidget;
class QWindow;

class ModalKeyboardKeeper : public QObject {
  public:
    explicit ModalKeyboardKeeper(QWidget* window);

  private:
    void FocusWindowChanged(QWindow* focus);
    void ReturnKeyboardToModal();
    // The modal window open over the main window; nullptr when there is none.
    QWidget* ModalOverWindow() const;
    bool KeyboardBesideModal() const;

    QWidget* window_;
};
