// The windows the file dialog opens over itself: the general error display, the Browse folder
// picker, and the confirmation box and one-line prompt of the file operations. Each is a
// function, so tests answer in place of a person.
#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

struct FileDialogPrompts {
    using ErrorDisplay = std::function<void(const QString& message)>;
    // The folder picked below the root, or an empty text when cancelled.
    using FolderPicker = std::function<QString(const QString& root)>;
    // OK or Cancel.
    using Confirmation = std::function<bool(const QString& question)>;
    // The reply, or nothing when cancelled.
    using TextPrompt = std::function<std::optional<QString>(
        const QString& title, const QString& prompt, const QString& proposal)>;

    // Message boxes with the product title, Qt's input dialog and the rooted folder picker,
    // each over the given window.
    static FileDialogPrompts standard(QWidget* parent);

    ErrorDisplay showError;
    FolderPicker pickFolder;
    Confirmation confirm;
    TextPrompt askText;
};
