#include "FileOperationsController.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QToolButton>
#include <algorithm>

#include "ButtonMask.h"
#include "DiskFileOperations.h"
#include "FileDialogControls.h"
#include "FileNameRules.h"
#include "FileOperations.h"
#include "FolderLocation.h"
#include "InsertListFile.h"
#include "StoreFolder.h"

namespace {

// Busy for as long as it lives: colour, cursor and disabled panels.
class OperationFrame {
  public:
    explicit OperationFrame(FileOperationsHost& host) : host_(host) { host_.beginOperation(); }
    ~OperationFrame() { host_.endOperation(); }
    OperationFrame(const OperationFrame&) = delete;
    OperationFrame& operator=(const OperationFrame&) = delete;

  private:
    FileOperationsHost& host_;
};

QByteArray joined(const QByteArray& folder, const QByteArray& name) {
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

// A name typed into Rename or New folder must stay one element inside the shown folder.
bool isSafeTypedName(const QString& name) {
    return FileNameRules::isSafeFileName(name);
}

// A typed new folder may name levels below the shown folder ("a/b"), each a safe name: never
// absolute, never "." or "..", no empty level.
bool isSafeTypedFolderPath(const QString& path) {
    const QStringList levels = path.split(QLatin1Char('/'));
    return std::all_of(levels.cbegin(), levels.cend(), isSafeTypedName);
}

// Base and extension of a name as on disk: the extension starts at the last dot, except a
// leading one.
qsizetype extensionStart(const QByteArray& name) {
    const qsizetype dot = name.lastIndexOf('.');
    return dot > 0 ? dot : name.size();
}

// The extension of an item cannot be changed by renaming: the reply's extension is dropped,
// unless it is the one the proposal itself ended in ("archive.tar" of "archive.tar.gz").
QString replyBase(const QString& reply, const QString& proposal) {
    const QString extension = FileNameRules::extensionOf(reply);
    if (!extension.isEmpty() && extension == FileNameRules::extensionOf(proposal)) {
        return reply;
    }
    return FileNameRules::baseNameOf(reply);
}

}  // namespace

FileOperationsController::FileOperationsController(FileOperationsHost& host,
                                                   FileOperations* operations,
                                                   const Buttons& buttons, QWidget* menuParent)
    : QObject(menuParent),
      host_(host),
      diskOperations_(operations == nullptr ? std::make_unique<DiskFileOperations>() : nullptr),
      operations_(operations == nullptr ? *diskOperations_ : *operations),
      buttons_(buttons),
      store_(operations_) {
    createInsertMenu(menuParent);
    connect(buttons_.remove, &QToolButton::clicked, this,
            &FileOperationsController::SpeedButton_DeleteClick);
    connect(buttons_.cut, &QToolButton::clicked, this,
            &FileOperationsController::SpeedButton_CutClick);
    connect(buttons_.copy, &QToolButton::clicked, this,
            &FileOperationsController::SpeedButton_CopyClick);
    connect(buttons_.insert, &QToolButton::clicked, this,
            &FileOperationsController::SpeedButton_InsertClick);
    connect(buttons_.rename, &QToolButton::clicked, this,
            &FileOperationsController::SpeedButton_RenameClick);
    connect(buttons_.makeDir, &QToolButton::clicked, this,
            &FileOperationsController::SpeedButton_MakeDirClick);
}

FileOperationsController::~FileOperationsController() = default;

QString FileOperationsController::defaultStoreFolder() {
    return StoreFolder::defaultFolder();
}

int FileOperationsController::prepareStoreFolder(const QString& folder, QString* result) {
    return StoreFolder::prepare(folder, result);
}

QByteArray FileOperationsController::listFileIn(const QByteArray& storeFolder,
                                                const QByteArray& folder) {
    return StoreFolder::isSameFolder(folder, storeFolder) ? QByteArray(InsertListFile::FileName)
                                                          : QByteArray();
}

void FileOperationsController::createInsertMenu(QWidget* menuParent) {
    PopupMenu_Insert = new QMenu(menuParent);
    PopupMenu_Insert->setObjectName(QStringLiteral("PopupMenu_Insert"));
    for (int index = 0; index < InsertItemCount; ++index) {
        QAction* item = PopupMenu_Insert->addAction(QString());
        item->setObjectName(QStringLiteral("Insert%1").arg(index));
        item->setVisible(false);
        connect(item, &QAction::triggered, this, [this, index] { InsertClick(index); });
        insertItems_ << item;
    }
    PopupMenu_Insert->addSeparator();
    InsertListeLoeschen = PopupMenu_Insert->addAction(QStringLiteral("Liste löschen"));
    InsertListeLoeschen->setObjectName(QStringLiteral("InsertListeLoeschen"));
    connect(InsertListeLoeschen, &QAction::triggered, this,
            &FileOperationsController::InsertListeLoeschenClick);
}

void FileOperationsController::rebuildInsertMenu() {
    for (int index = 0; index < InsertItemCount; ++index) {
        QAction* item = insertItems_.at(index);
        const bool listed = index < store_.count();
        item->setVisible(listed);
        // A name is shown as it is; '&' would otherwise mark a shortcut.
        item->setText(listed
                          ? store_.menuCaption(index).replace(QLatin1Char('&'), QLatin1String("&&"))
                          : QString());
    }
}

bool FileOperationsController::insertOffered() const {
    return (host_.buttonMask() & ButtonMask::Insert) != 0;
}

void FileOperationsController::loadStore(const QByteArray& storeFolder) {
    store_.setFolder(storeFolder);
    const bool listed = store_.load();
    rebuildInsertMenu();
    buttons_.insert->setEnabled(listed && insertOffered());
}

std::optional<QByteArray> FileOperationsController::realFolder() const {
    const FolderLocation& folder = host_.shownFolder();
    // The store's own items are acted on only through the insert list.
    if (folder.isVirtual() || StoreFolder::isSameFolder(folder.nativePath(), store_.folder())) {
        return std::nullopt;
    }
    return folder.nativePath();
}

// The selected row of a real folder; with none, the steps for nothing selected run. In the
// store folder nothing happens at all.
std::optional<FileOperationsHost::Item> FileOperationsController::selectedInRealFolder() {
    const auto item = host_.selectedItem();
    if (!item || host_.shownFolder().isVirtual()) {
        host_.applyNothingSelected();
        return std::nullopt;
    }
    if (!realFolder()) {
        return std::nullopt;
    }
    return item;
}

void FileOperationsController::SpeedButton_DeleteClick() {
    const auto item = selectedInRealFolder();
    if (!item) {
        return;
    }
    const auto folder = realFolder();
    OperationFrame frame(host_);
    const QString question =
        buttons_.remove->toolTip() + QStringLiteral(" '") + item->shownName + QStringLiteral("' ?");
    if (!host_.confirm(question)) {
        return;
    }
    operations_.moveToTrash(joined(*folder, item->name));
    host_.relistAndSelect(item->shownName, item->name,
                          FileOperationsHost::WhenNameGone::ClearSelection);
}

void FileOperationsController::SpeedButton_CutClick() {
    moveIntoStore(false);
}

void FileOperationsController::SpeedButton_CopyClick() {
    moveIntoStore(true);
}

void FileOperationsController::moveIntoStore(bool keepOriginal) {
    const auto item = selectedInRealFolder();
    if (!item) {
        return;
    }
    const auto folder = realFolder();
    OperationFrame frame(host_);
    buttons_.insert->setEnabled(false);
    if (takeIntoStore(*folder, item->name, keepOriginal)) {
        rebuildInsertMenu();
        buttons_.insert->setEnabled(insertOffered());
    }
    host_.relistAndSelect(item->shownName, item->name,
                          FileOperationsHost::WhenNameGone::ClearSelection);
}

// The item is made whole under a temporary name in the store before anything of the store
// changes, so that a failure at any step leaves the list and an older item of the name as
// they were. A cut item is the user's only copy: it is never removed, only given back.
bool FileOperationsController::takeIntoStore(const QByteArray& folder, const QByteArray& name,
                                             bool keepOriginal) {
    const QByteArray source = joined(folder, name);
    if (store_.itemPath(name).isEmpty() ||
        operations_.makeFolder(store_.folder()) != FileOperations::Done) {
        return false;
    }
    const QByteArray incoming = store_.incomingPath();
    const int result =
        keepOriginal ? operations_.copy(source, incoming) : operations_.move(source, incoming);
    // A move that could not remove all of its source still brought the item whole.
    const bool arrived = result == FileOperations::Done ||
                         (!keepOriginal && result == FileOperations::DoneSourceLeft);
    if (arrived && store_.takeIn(name, incoming)) {
        return true;
    }
    if (!operations_.exists(incoming)) {
        return false;
    }
    if (keepOriginal) {
        operations_.removePermanently(incoming);
    } else {
        giveBack(incoming, folder, name);
    }
    return false;
}

// Back to its own name, or beside what is left there under a free one ("name(1)"); where even
// that fails, it waits in the store under its temporary name.
void FileOperationsController::giveBack(const QByteArray& incoming, const QByteArray& folder,
                                        const QByteArray& name) {
    operations_.move(incoming, joined(folder, freeNameFor(folder, name)));
}

void FileOperationsController::SpeedButton_InsertClick() {
    FileDialogControls::dropDown(PopupMenu_Insert, buttons_.insert);
}

// A second copy of report.txt becomes report(1).txt, a third report(2).txt.
QByteArray FileOperationsController::freeNameFor(const QByteArray& folder,
                                                 const QByteArray& name) const {
    const qsizetype start = extensionStart(name);
    const QByteArray base = name.left(start);
    const QByteArray extension = name.mid(start);
    QByteArray candidate = name;
    for (uint n = 1; operations_.exists(joined(folder, candidate)); ++n) {
        candidate = base + '(' + QByteArray::number(n) + ')' + extension;
    }
    return candidate;
}

void FileOperationsController::InsertClick(int index) {
    const auto folder = realFolder();
    if (!buttons_.insert->isEnabled() || index < 0 || index >= store_.count() || !folder) {
        return;
    }
    OperationFrame frame(host_);
    const QByteArray name = store_.names().at(static_cast<std::size_t>(index));
    const QByteArray finalName = freeNameFor(*folder, name);
    const QByteArray target = joined(*folder, finalName);
    // Created exclusively: an item another program makes at the free name in the meantime is
    // never replaced, and a failed copy removes only what it made itself.
    operations_.copyToNew(store_.itemPath(name), target);
    host_.relistAndSelect(FileNameRules::shownName(QFile::decodeName(finalName)), finalName,
                          FileOperationsHost::WhenNameGone::KeepFirstRow);
}

void FileOperationsController::InsertListeLoeschenClick() {
    OperationFrame frame(host_);
    store_.clear();
    rebuildInsertMenu();
    buttons_.insert->setEnabled(false);
}

void FileOperationsController::SpeedButton_RenameClick() {
    const auto item = selectedInRealFolder();
    if (!item) {
        return;
    }
    const auto folder = realFolder();
    OperationFrame frame(host_);
    // The extension of an item cannot be changed by renaming.
    const qsizetype start = extensionStart(item->name);
    const QByteArray oldBase = item->name.left(start);
    const QByteArray extension = item->name.mid(start);
    const FileOperationsHost::PromptTexts texts = host_.promptTexts();
    const QString proposal = QFile::decodeName(oldBase);
    const auto reply = host_.askText(texts.renameTitle, texts.renamePrompt, proposal);
    if (!reply || *reply == proposal) {
        return;
    }
    const QString newBase = replyBase(*reply, proposal);
    const QByteArray newBaseBytes = FileNameRules::editedBytes(oldBase, newBase);
    const QByteArray newName = newBaseBytes + extension;
    if (!isSafeTypedName(newBase) || newBaseBytes == oldBase ||
        newName.size() > FileNameRules::MaximumNameBytes ||
        !FileNameRules::isSafeFileName(QFile::decodeName(newName))) {
        return;
    }
    // Renaming onto an existing item would silently replace it.
    if (operations_.exists(joined(*folder, newName))) {
        return;
    }
    operations_.rename(joined(*folder, item->name), joined(*folder, newName));
    host_.relistAndSelect(FileNameRules::shownName(QFile::decodeName(newBaseBytes)), newName,
                          FileOperationsHost::WhenNameGone::ClearSelection);
}

void FileOperationsController::SpeedButton_MakeDirClick() {
    const auto folder = realFolder();
    if (!folder) {
        return;
    }
    OperationFrame frame(host_);
    const FileOperationsHost::PromptTexts texts = host_.promptTexts();
    const auto reply =
        host_.askText(texts.newFolderTitle, texts.newFolderPrompt, texts.newFolderName);
    if (!reply || !isSafeTypedFolderPath(*reply)) {
        return;
    }
    operations_.makeFolder(joined(*folder, QFile::encodeName(*reply)));
    // The shown folder lists the first level only.
    const QString shown = reply->section(QLatin1Char('/'), 0, 0);
    host_.relistAndSelect(shown, QFile::encodeName(shown),
                          FileOperationsHost::WhenNameGone::KeepFirstRow);
}
