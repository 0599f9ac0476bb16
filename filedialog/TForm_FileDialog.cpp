#include "TForm_FileDialog.h"

#include <sys/stat.h>

#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QToolButton>

#include "BusyIndication.h"
#include "FileDialogError.h"
#include "FileNameRules.h"
#include "ListInput.h"
#include "VirtualListModel.h"
#include "VirtualListView.h"
#include "operations/FileOperationsController.h"
#include "preview/ImagePreview.h"

TForm_FileDialog* Form_FileDialog = nullptr;

namespace {

constexpr int ClientWidth = 632;
constexpr int ClientHeight = 453;

}  // namespace

TForm_FileDialog::TForm_FileDialog(QWidget* parent, FileOperations* operations)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint),
      model_(new VirtualListModel(this)),
      ui_(FileDialogControls::builtOn(this, model_)),
      browser_(model_),
      prompts_(FileDialogPrompts::standard(this)),
      homeEntries_(ui_.PopupMenu_Home, ui_.SpeedButton_Home,
                   [this](int index) { openEntryReported(true, index); }),
      browseEntries_(ui_.PopupMenu_Browse, ui_.SpeedButton_Browse,
                     [this](int index) { openEntryReported(false, index); }),
      storeFolder_(FileOperationsController::defaultStoreFolder()) {
    setObjectName(QStringLiteral("Form_FileDialog"));
    setFont(QFont(QStringLiteral("Verdana"), 8));
    setModal(true);
    choice_.setFilterExtension(FileNameRules::AnyExtension);
    operations_ = new FileOperationsController(
        *this, operations,
        {ui_.SpeedButton_Delete, ui_.SpeedButton_Cut, ui_.SpeedButton_Copy, ui_.SpeedButton_Insert,
         ui_.SpeedButton_Rename, ui_.SpeedButton_MakeDir},
        this);
    browser_.setConcealedFile([this](const QByteArray& folder) {
        return FileOperationsController::listFileIn(QFile::encodeName(storeFolder_), folder);
    });
    input_ = new ListInput(ui_, model_, operations_->insertMenu(), this);
    preview_ = std::make_unique<ImagePreview>(ui_, ui_.Panel_Unten, ui_.lstvwVirtualList,
                                              ui_.Edit_FileName);
    browser_.setErrorDisplay([this](const QString& message) { prompts_.showError(message); });
    connectControls();
    // Nothing is listed before Prepare: a hung network mount must not stall the start.
    ui_.pressView(VirtualListView::ViewStyle::List);
    resize(ClientWidth, ClientHeight);
    setMinimumSize(ClientWidth, ClientHeight);
}

// A dialog closed down while shown still has the list input watching every event; the
// controls it reads go first.
TForm_FileDialog::~TForm_FileDialog() {
    input_->stopWatching();
}

void TForm_FileDialog::connectControls() {
    const struct {
        QToolButton* button;
        void (TForm_FileDialog::*click)();
    } clicks[] = {
        {ui_.SpeedButton_Back, &TForm_FileDialog::SpeedButton_BackClick},
        {ui_.SpeedButton_Home, &TForm_FileDialog::SpeedButton_HomeClick},
        {ui_.SpeedButton_Browse, &TForm_FileDialog::SpeedButton_BrowseClick},
        {ui_.SpeedButton_Refresh, &TForm_FileDialog::SpeedButton_RefreshClick},
        {ui_.SpeedButton_Icons, &TForm_FileDialog::SpeedButton_IconsClick},
        {ui_.SpeedButton_List, &TForm_FileDialog::SpeedButton_ListClick},
        {ui_.SpeedButton_Report, &TForm_FileDialog::SpeedButton_ReportClick},
    };
    for (const auto& click : clicks) {
        connect(click.button, &QToolButton::clicked, this, click.click);
    }
    connect(ui_.SpeedButton_OK, &QPushButton::clicked, this,
            &TForm_FileDialog::SpeedButton_OKClick);
    connect(ui_.SpeedButton_Abbrechen, &QPushButton::clicked, this,
            &TForm_FileDialog::SpeedButton_AbbrechenClick);
    connect(ui_.lstvwVirtualList, &VirtualListView::rowSelectedByUser, this,
            &TForm_FileDialog::lstvwVirtualListSelectItem);
    connect(ui_.lstvwVirtualList, &VirtualListView::rowDoubleClicked, this,
            &TForm_FileDialog::lstvwVirtualListDblClick);
    connect(ui_.Edit_FileName, &QLineEdit::textChanged, this,
            &TForm_FileDialog::Edit_FileNameChange);
}

// ---- Calling interface -------------------------------------------------------------------

int TForm_FileDialog::SetHomeEntry(int index, const QString& label, const QString& path,
                                   const QString& floor) {
    return homeEntries_.set(index, label, path, floor);
}

int TForm_FileDialog::SetBrowseEntry(int index, const QString& label, const QString& path,
                                     const QString& floor) {
    return browseEntries_.set(index, label, path, floor);
}

void TForm_FileDialog::Prepare(const QString& caption, const QString& extension,
                               quint32 enumerationFlags, int initialView, quint32 buttonMask,
                               quint8 mode, const QString& defaultName, int startEntry) {
    caption_ = caption;
    setWindowTitle(caption);
    buttonMask_ = buttonMask;
    const QString filterExtension = FileNameRules::filterExtensionFor(extension);
    browser_.setFilter(filterExtension, enumerationFlags);
    choice_.setFilterExtension(filterExtension);
    ui_.pressInitialView(initialView);
    ui_.applyButtonMask(buttonMask_);
    choice_.setMode(mode);
    ui_.applyMode(mode, OpenCaption, SaveCaption, CancelCaption);
    ui_.Edit_FileName->setText(choice_.setDefaultName(defaultName));
    homeEntries_.rebuildMenu();
    browseEntries_.rebuildMenu();
    ui_.lstvwVirtualList->setFocus();
    int entry = (startEntry < 0 || startEntry >= EntryCount) ? 0 : startEntry;
    if (homeEntries_.at(entry).path.isEmpty()) {
        entry = 0;
    }
    OpenHomeEntry(entry);
}

int TForm_FileDialog::SetStoreFolder(const QString& folder) {
    return FileOperationsController::prepareStoreFolder(folder, &storeFolder_);
}

// ---- Navigation entries ------------------------------------------------------------------

void TForm_FileDialog::SpeedButton_HomeClick() {
    homeEntries_.buttonClick();
}

void TForm_FileDialog::SpeedButton_BrowseClick() {
    browseEntries_.buttonClick();
}

void TForm_FileDialog::OpenHomeEntry(int index) {
    const NavigationEntry& entry = homeEntries_.at(index);
    openEntry(entry, [&entry] { return std::optional<QString>(entry.path); });
}

void TForm_FileDialog::OpenBrowseEntry(int index) {
    const NavigationEntry& entry = browseEntries_.at(index);
    const auto root = FolderLocation::parse(entry.path);
    const QString rootPath = (root && !root->isVirtual()) ? root->path() : QStringLiteral("/");
    openEntry(entry, [this, &rootPath] {
        const QString picked = prompts_.pickFolder(rootPath);
        return picked.isEmpty() ? std::nullopt : std::optional<QString>(picked);
    });
}

// Sets the entry's floor and opens the folder chosen for it; nothing chosen keeps the folder.
void TForm_FileDialog::openEntry(const NavigationEntry& entry,
                                 const std::function<std::optional<QString>()>& chooseFolder) {
    browser_.setFloor(entry.floor);
    navigate([&](BusyIndication& busy) {
        busy.suspendCursor();
        const std::optional<QString> folder = chooseFolder();
        busy.resumeCursor();
        if (!folder) {
            return ui_.lstvwVirtualList->selectedRow();
        }
        const int row = browser_.navigateTo(*folder);
        setCaptionSuffix(entry.label);
        return row;
    });
}

void TForm_FileDialog::openEntryReported(bool home, int index) {
    try {
        home ? OpenHomeEntry(index) : OpenBrowseEntry(index);
    } catch (const FileDialogError& error) {
        prompts_.showError(error.message());
    }
}

void TForm_FileDialog::setCaptionSuffix(const QString& label) {
    setWindowTitle(label.isEmpty() ? caption_ : caption_ + QStringLiteral(" - ") + label);
}

// ---- Listing -----------------------------------------------------------------------------

void TForm_FileDialog::NavigateToPath(const QString& path) {
    navigate([this, &path](BusyIndication&) { return browser_.navigateTo(path); });
}

void TForm_FileDialog::navigate(const Move& move) {
    BusyIndication busy(ui_.lstvwVirtualList);
    closeLargePreview();
    ui_.lstvwVirtualList->setUpdatesEnabled(false);
    const auto updateAgain = qScopeGuard([this] { ui_.lstvwVirtualList->setUpdatesEnabled(true); });
    const int row = move(busy);
    showListedFolder();
    selectAndApply(row, SelectedBy::Dialog);
}

void TForm_FileDialog::showListedFolder() {
    ui_.Edit_Pfad->setText(browser_.shownPath());
    updateBackButton();
}

void TForm_FileDialog::updateBackButton() {
    if (buttonMask_ & ButtonMask::Back) {
        ui_.SpeedButton_Back->setEnabled(browser_.canGoUp());
    }
}

void TForm_FileDialog::RefreshFolder() {
    navigate([this](BusyIndication&) { return relistKeepingSelection(); });
}

int TForm_FileDialog::relistKeepingSelection() {
    return browser_.moveReported(
        [this] { return browser_.refresh(ui_.lstvwVirtualList->selectedRow()); });
}

int TForm_FileDialog::lstvwVirtualListDataFind(const QString& text, int start, bool wrap) const {
    return browser_.find(text, start, wrap);
}

void TForm_FileDialog::SpeedButton_BackClick() {
    if ((buttonMask_ & ButtonMask::Back) && browser_.atFloor()) {
        ui_.SpeedButton_Back->setEnabled(false);
        return;
    }
    navigate([this](BusyIndication&) {
        return browser_.moveReported([this] { return browser_.goUp(); });
    });
}

void TForm_FileDialog::SpeedButton_RefreshClick() {
    RefreshFolder();
}

void TForm_FileDialog::SpeedButton_IconsClick() {
    ui_.pressView(VirtualListView::ViewStyle::Icons);
}

void TForm_FileDialog::SpeedButton_ListClick() {
    ui_.pressView(VirtualListView::ViewStyle::List);
    RefreshFolder();
}

void TForm_FileDialog::SpeedButton_ReportClick() {
    ui_.pressView(VirtualListView::ViewStyle::Report);
}

void TForm_FileDialog::lstvwVirtualListDblClick() {
    const int row = ui_.lstvwVirtualList->selectedRow();
    if (row < 0) {
        applySelection(-1, SelectedBy::User);
        return;
    }
    const ShellEntry& entry = model_->entry(row);
    if (entry.isFolder) {
        navigate([this, row](BusyIndication&) {
            return browser_.moveReported([this, row] { return browser_.openChild(row); });
        });
        return;
    }
    if (choice_.mode() <= SaveMode) {
        applySelection(row, SelectedBy::User);
        SpeedButton_OKClick();
    }
}

// ---- Selection and file-name rules -------------------------------------------------------

void TForm_FileDialog::lstvwVirtualListSelectItem(int row) {
    applySelection(row, SelectedBy::User);
}

void TForm_FileDialog::selectAndApply(int row, SelectedBy by) {
    ui_.lstvwVirtualList->selectRow(row);
    applySelection(row, by);
}

// The selection steps, after every selection the user makes and once after every navigation;
// the preview follows the file-name field.
void TForm_FileDialog::applySelection(int row, SelectedBy by) {
    const bool any = row >= 0 && row < model_->rowCount();
    const ShellEntry* entry = any ? &model_->entry(row) : nullptr;
    if (entry != nullptr && !entry->isFolder &&
        (by == SelectedBy::User || choice_.mode() != SaveMode)) {
        showFileName(entry->name);
    }
    const bool folder = entry == nullptr || entry->isFolder;
    applyFileNameRule(folder);
    if (!any) {
        ui_.lstvwVirtualList->clearSelection();
    }
    ui_.enableItemTools(buttonMask_, folder, any);
    updatePreview();
    emit selectionApplied(any ? row : -1);
}

void TForm_FileDialog::applyFileNameRule(bool folderSelected) {
    const FileNameChoice::FieldState state =
        choice_.apply(ui_.Edit_FileName->text(), folderSelected, browser_.current());
    showFileName(state.text);
    ui_.showFieldState(state, choice_.mode());
}

void TForm_FileDialog::showFileName(const QString& text) {
    if (text != ui_.Edit_FileName->text()) {
        const QSignalBlocker quiet(ui_.Edit_FileName);
        ui_.Edit_FileName->setText(text);
    }
}

void TForm_FileDialog::Edit_FileNameChange() {
    if (choice_.mode() == SaveMode) {
        applyFileNameRule(false);
        updatePreview();
    }
}

// ---- Showing and closing -----------------------------------------------------------------

void TForm_FileDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    input_->watch();
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TForm_FileDialog::hideEvent(QHideEvent* event) {
    input_->stopWatching();
    QDialog::hideEvent(event);
}

void TForm_FileDialog::FormShow() {
    FileDialogControls::centreOverMainWindow(this);
    operations_->loadStore(QFile::encodeName(storeFolder_));
    closeLargePreview();
    const int row = defaultNameRow();
    // The list view refreshes; a folder just read by Prepare and unchanged since is kept.
    if (ui_.SpeedButton_List->isChecked() && !browser_.listingCurrent()) {
        ui_.pressView(VirtualListView::ViewStyle::List);
        navigate([this, row](BusyIndication&) {
            return browser_.moveReported([this, row] { return browser_.refresh(row); });
        });
    } else {
        if (ui_.SpeedButton_List->isChecked()) {
            ui_.lstvwVirtualList->setViewStyle(VirtualListView::ViewStyle::List);
        }
        selectAndApply(row, SelectedBy::Dialog);
    }
    if (choice_.mode() >= SaveMode && choice_.defaultBaseName().isEmpty()) {
        ui_.Edit_FileName->clear();
        ui_.lstvwVirtualList->clearSelection();
    }
}

// The row of the caller's default name, else of its base name, else the row selected.
int TForm_FileDialog::defaultNameRow() const {
    if (!choice_.defaultFileName().isEmpty()) {
        for (const QString& name : {choice_.defaultFileName(), choice_.defaultBaseName()}) {
            const int row = lstvwVirtualListDataFind(name, 0, false);
            if (row >= 0) {
                return row;
            }
        }
    }
    return ui_.lstvwVirtualList->selectedRow();
}

void TForm_FileDialog::closeLargePreview() {
    preview_->close();
}

// The picture behind the file-name field, by its real name.
void TForm_FileDialog::updatePreview() {
    const QString field = ui_.Edit_FileName->text();
    const FolderLocation& folder = browser_.current();
    preview_->update(field, folder.isVirtual() ? QByteArray() : folder.itemPath(realNameOf(field)));
}

void TForm_FileDialog::SpeedButton_OKClick() {
    if (ui_.SpeedButton_OK->isHidden() || !ui_.SpeedButton_OK->isEnabled()) {
        return;
    }
    closeLargePreview();
    // The file or its folder may have gone since the folder was listed; show the folder as it
    // is now instead of handing the caller a path that leads nowhere. In open mode nothing is
    // chosen then: OK waits for the user's next choice, not the row the listing put first.
    if (!browser_.current().exists() || (choice_.mode() == OpenMode && selectedFileVanished())) {
        navigate([this](BusyIndication&) {
            const int row = relistKeepingSelection();
            return choice_.mode() == OpenMode ? -1 : row;
        });
        return;
    }
    accept();
}

void TForm_FileDialog::SpeedButton_AbbrechenClick() {
    closeLargePreview();
    reject();
}

QByteArray TForm_FileDialog::realNameOf(const QString& fieldText) const {
    int row = ui_.lstvwVirtualList->selectedRow();
    if (row < 0 || model_->entry(row).isFolder || model_->entry(row).name != fieldText) {
        row = model_->rowOfShownFile(fieldText);
    }
    return row < 0 ? QFile::encodeName(fieldText) : model_->entry(row).fileName;
}

bool TForm_FileDialog::selectedFileVanished() const {
    const QByteArray name = realNameOf(ui_.Edit_FileName->text());
    struct stat status {};
    return ::lstat(browser_.current().itemPath(name).constData(), &status) != 0;
}

void TForm_FileDialog::done(int result) {
    if (!ui_.panelsEnabled()) {
        return;
    }
    closeLargePreview();
    resultPath_ = choice_.closeWith(ui_.Edit_FileName->text(), browser_.current(),
                                    [this](const QString& name) { return realNameOf(name); });
    QDialog::done(result);
}

// ---- File operations ---------------------------------------------------------------------

std::optional<FileOperationsHost::Item> TForm_FileDialog::selectedItem() const {
    const int row = ui_.lstvwVirtualList->selectedRow();
    if (row < 0) {
        return std::nullopt;
    }
    const ShellEntry& entry = model_->entry(row);
    return Item{entry.fileName, entry.name, entry.isFolder};
}

FileOperationsHost::PromptTexts TForm_FileDialog::promptTexts() const {
    return {RenameTitle, RenamePrompt, NewFolderTitle, NewFolderPrompt, NewFolderName};
}

void TForm_FileDialog::beginOperation() {
    operationBusy_ = std::make_unique<BusyIndication>(ui_.lstvwVirtualList);
    closeLargePreview();
    ui_.setPanelsEnabled(false);
}

void TForm_FileDialog::endOperation() {
    ui_.setPanelsEnabled(true);
    ui_.lstvwVirtualList->setFocus();
    operationBusy_.reset();
}

void TForm_FileDialog::relistAndSelect(const QString& shownName, const QByteArray& name,
                                       WhenNameGone whenGone) {
    navigate([&](BusyIndication&) {
        const int first =
            browser_.moveReported([this] { return browser_.open(browser_.current()); });
        const int row = browser_.rowOfName(shownName, name);
        if (row >= 0) {
            return row;
        }
        return whenGone == WhenNameGone::ClearSelection ? -1 : first;
    });
}

void TForm_FileDialog::applyNothingSelected() {
    selectAndApply(-1, SelectedBy::Dialog);
}

// The prompts are windows of their own; they get the normal cursor while they are open.
bool TForm_FileDialog::confirm(const QString& question) {
    operationBusy_->suspendCursor();
    const bool confirmed = prompts_.confirm(question);
    operationBusy_->resumeCursor();
    return confirmed;
}

std::optional<QString> TForm_FileDialog::askText(const QString& title, const QString& prompt,
                                                 const QString& proposal) {
    operationBusy_->suspendCursor();
    const auto reply = prompts_.askText(title, prompt, proposal);
    operationBusy_->resumeCursor();
    return reply;
}
