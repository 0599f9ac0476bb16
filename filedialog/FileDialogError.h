// The error a navigation raises when a folder cannot be opened. It travels to the action that
// asked for the navigation, which reports it (the dialog's own buttons show it in a message box,
// Prepare hands it to its caller and the dialog is not shown for that call).
#pragma once

#include <QString>
#include <stdexcept>

class FileDialogError : public std::runtime_error {
  public:
    explicit FileDialogError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}

    const QString& message() const { return message_; }

  private:
    QString message_;
};
