// What the file operations need of the dialog: the selected row, the folder shown, the common
// frame of busy colour and disabled panels, re-listing with re-selection, and the prompts.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>

class FolderLocation;

class FileOperationsHost {
  public:
    // After an operation the row of its name is selected; when there is none, Delete, Cut,
    // Copy and Rename leave nothing selected, Insert and New folder the first row.
    enum class WhenNameGone { ClearSelection, KeepFirstRow };

    struct Item {
        QByteArray name;  // as on disk
        QString shownName;
        bool isFolder = false;
    };

    // The prompts' texts, which the language files replace.
    struct PromptTexts {
        QString renameTitle;
        QString renamePrompt;
        QString newFolderTitle;
        QString newFolderPrompt;
        QString newFolderName;
    };

    virtual ~FileOperationsHost() = default;

    virtual std::optional<Item> selectedItem() const = 0;
    virtual const FolderLocation& shownFolder() const = 0;
    virtual quint32 buttonMask() const = 0;
    virtual PromptTexts promptTexts() const = 0;

    // Busy colour and cursor, large preview closed, panels disabled; and back.
    virtual void beginOperation() = 0;
    virtual void endOperation() = 0;
    // Lists the shown folder anew and selects the row of the name, then runs the selection
    // steps and updates the preview.
    virtual void relistAndSelect(const QString& shownName, const QByteArray& name,
                                 WhenNameGone whenGone) = 0;
    virtual void applyNothingSelected() = 0;

    // OK or Cancel; and a line of text, nothing when cancelled.
    virtual bool confirm(const QString& question) = 0;
    virtual std::optional<QString> askText(const QString& title, const QString& prompt,
                                           const QString& proposal) = 0;
};
