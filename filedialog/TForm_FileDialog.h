// The system's own modal file dialog: an explorer-like window that lists folders and the files
// of one extension, used in place of the platform's open and save dialogs.
//
// A caller sets the navigation entries (SetHomeEntry, SetBrowseEntry), configures the dialog
// with Prepare, gives it a store folder (SetStoreFolder), shows it modally with exec() and, when
// the result is Accepted, reads ResultPath(). One instance serves the whole run and keeps its
// view and window size between calls. Everything runs on the GUI thread.
//
// The window holds the calling interface, showing and closing, and the selection steps; the
// controls, the folder browsing, the name rules and the list input each have a class of their
// own.
#pragma once

#include <QDialog>
#include <QFile>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "ButtonMask.h"
#include "FileDialogControls.h"
#include "FileDialogPrompts.h"
#include "FileNameChoice.h"
#include "FolderBrowser.h"
#include "NavigationEntries.h"
#include "operations/FileOperationsHost.h"

class BusyIndication;
class ImagePreview;
class FileOperations;
class FileOperationsController;
class ListInput;
class VirtualListModel;
class VirtualListView;

class TForm_FileDialog : public QDialog, private FileOperationsHost {
    Q_OBJECT
    // The text slots a language file replaces, reachable by name.
    Q_PROPERTY(QString OpenCaption MEMBER OpenCaption)
    Q_PROPERTY(QString SaveCaption MEMBER SaveCaption)
    Q_PROPERTY(QString CancelCaption MEMBER CancelCaption)
    Q_PROPERTY(QString NewFolderTitle MEMBER NewFolderTitle)
    Q_PROPERTY(QString NewFolderPrompt MEMBER NewFolderPrompt)
    Q_PROPERTY(QString NewFolderName MEMBER NewFolderName)
    Q_PROPERTY(QString RenameTitle MEMBER RenameTitle)
    Q_PROPERTY(QString RenamePrompt MEMBER RenamePrompt)

  public:
    static constexpr int EntryCount = NavigationEntries::Count;
    enum Mode : quint8 {
        OpenMode = FileNameChoice::OpenMode,
        SaveMode = FileNameChoice::SaveMode,
        ViewMode = FileNameChoice::ViewMode
    };
    enum InitialView { IconsView = 0, ListView = 1, ListViewToo = 2, ReportView = 3 };

    // Without file operations of its own the dialog acts on the disk.
    explicit TForm_FileDialog(QWidget* parent = nullptr, FileOperations* operations = nullptr);
    ~TForm_FileDialog() override;

    // Calling interface, in the order callers use it.
    int SetHomeEntry(int index, const QString& label, const QString& path, const QString& floor);
    int SetBrowseEntry(int index, const QString& label, const QString& path, const QString& floor);
    // Throws FileDialogError when the start entry's folder cannot be opened; the caller reports
    // it and does not show the dialog.
    void Prepare(const QString& caption, const QString& extension, quint32 enumerationFlags,
                 int initialView, quint32 buttonMask, quint8 mode, const QString& defaultName,
                 int startEntry);
    int SetStoreFolder(const QString& folder);
    QString ResultPath() const { return QFile::decodeName(resultPath_); }
    // The same as the bytes on disk, for a name that is not valid UTF-8.
    QByteArray ResultNativePath() const { return resultPath_; }

    // Text slots; the language system replaces them together with the controls' captions.
    QString OpenCaption = QStringLiteral("Öffnen");
    QString SaveCaption = QStringLiteral("Speichern");
    QString CancelCaption = QStringLiteral("Abbrechen");
    QString NewFolderTitle = QStringLiteral("Neuer Ordner");
    QString NewFolderPrompt = QStringLiteral("Ordnername:");
    QString NewFolderName = QStringLiteral("Neuer Ordner");
    QString RenameTitle = QStringLiteral("Umbenennen");
    QString RenamePrompt = QStringLiteral("Neuer Name:");

    // Listing operations shared by the dialog's actions.
    // Throws FileDialogError when the path names no folder that can be opened.
    void NavigateToPath(const QString& path);
    void RefreshFolder();
    int lstvwVirtualListDataFind(const QString& text, int start, bool wrap) const;
    void OpenHomeEntry(int index);
    void OpenBrowseEntry(int index);

    NavigationEntry homeEntry(int index) const { return homeEntries_.at(index); }
    NavigationEntry browseEntry(int index) const { return browseEntries_.at(index); }
    QString currentPath() const { return browser_.current().path(); }
    QString filterExtension() const { return choice_.filterExtension(); }
    QString storeFolder() const { return storeFolder_; }
    quint8 mode() const { return choice_.mode(); }
    VirtualListModel* listModel() const { return model_; }
    VirtualListView* list() const { return ui_.lstvwVirtualList; }

    // The error display, the folder picker and the operations' prompts; tests put their own
    // in place.
    void setErrorDisplay(FileDialogPrompts::ErrorDisplay display) {
        prompts_.showError = std::move(display);
    }
    void setFolderPicker(FileDialogPrompts::FolderPicker picker) {
        prompts_.pickFolder = std::move(picker);
    }
    void setConfirmation(FileDialogPrompts::Confirmation confirmation) {
        prompts_.confirm = std::move(confirmation);
    }
    void setTextPrompt(FileDialogPrompts::TextPrompt prompt) {
        prompts_.askText = std::move(prompt);
    }
    FileOperationsController* fileOperations() const { return operations_; }
    ImagePreview* preview() const { return preview_.get(); }

  signals:
    // After each run of the selection steps, with the row they applied.
    void selectionApplied(int row);

  public slots:
    void done(int result) override;
    void SpeedButton_BackClick();
    void SpeedButton_HomeClick();
    void SpeedButton_BrowseClick();
    void SpeedButton_RefreshClick();
    void SpeedButton_IconsClick();
    void SpeedButton_ListClick();
    void SpeedButton_ReportClick();
    void SpeedButton_OKClick();
    void SpeedButton_AbbrechenClick();
    void lstvwVirtualListDblClick();
    void lstvwVirtualListSelectItem(int row);
    void Edit_FileNameChange();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void connectControls();
    void FormShow();

    // FileOperationsHost
    std::optional<Item> selectedItem() const override;
    const FolderLocation& shownFolder() const override { return browser_.current(); }
    quint32 buttonMask() const override { return buttonMask_; }
    PromptTexts promptTexts() const override;
    void beginOperation() override;
    void endOperation() override;
    void relistAndSelect(const QString& shownName, const QByteArray& name,
                         WhenNameGone whenGone) override;
    void applyNothingSelected() override;
    bool confirm(const QString& question) override;
    std::optional<QString> askText(const QString& title, const QString& prompt,
                                   const QString& proposal) override;

    void setCaptionSuffix(const QString& label);
    void openEntry(const NavigationEntry& entry,
                   const std::function<std::optional<QString>()>& chooseFolder);
    void openEntryReported(bool home, int index);

    // Who moved the selection: in save mode a row the dialog selects leaves the typed or
    // default name in the field.
    enum class SelectedBy { User, Dialog };
    // A move of the shown folder: lists a folder and returns the row to select then.
    using Move = std::function<int(BusyIndication& busy)>;
    // Every move runs in here: the list shows busy, the large preview closes, and once the
    // folder is listed the row is selected and the selection steps run once.
    void navigate(const Move& move);
    void showListedFolder();
    // Lists the shown folder again; the row selected is found again by name.
    int relistKeepingSelection();
    void selectAndApply(int row, SelectedBy by);
    void applySelection(int row, SelectedBy by);
    void applyFileNameRule(bool folderSelected);
    // Sets the field without running the name rule again: the caller runs the steps itself.
    void showFileName(const QString& text);
    int defaultNameRow() const;
    // The file the field names, by its name on disk: the selected row's when it shows that
    // name, else a listed file's, else the text's own bytes.
    QByteArray realNameOf(const QString& fieldText) const;
    void updateBackButton();
    bool selectedFileVanished() const;
    void closeLargePreview();
    void updatePreview();

    VirtualListModel* model_;
    FileDialogControls ui_;
    FolderBrowser browser_;
    FileDialogPrompts prompts_;
    NavigationEntries homeEntries_;
    NavigationEntries browseEntries_;
    FileNameChoice choice_;
    ListInput* input_ = nullptr;
    QString caption_;
    quint32 buttonMask_ = ButtonMask::All;
    QString storeFolder_;
    QByteArray resultPath_;
    FileOperationsController* operations_ = nullptr;
    std::unique_ptr<BusyIndication> operationBusy_;
    // Goes before the controls it placed on the panels.
    std::unique_ptr<ImagePreview> preview_;
};

// The one file dialog of the running program.
extern TForm_FileDialog* Form_FileDialog;
