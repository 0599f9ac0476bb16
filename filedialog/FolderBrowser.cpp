#include "FolderBrowser.h"

#include <sys/stat.h>

#include <QDateTime>
#include <QFile>
#include <QLineEdit>
#include <algorithm>

#include "FileDialogError.h"
#include "FileNameRules.h"
#include "FolderListing.h"
#include "StoreFolder.h"
#include "VirtualListModel.h"
#include "VirtualListView.h"

FolderBrowser::FolderBrowser(VirtualListModel* model, VirtualListView* list, QLineEdit* pathField)
    : model_(model),
      list_(list),
      pathField_(pathField),
      current_(FolderLocation::computer()),
      filterExtension_(FileNameRules::AnyExtension),
      enumerationFlags_(FolderListing::DefaultFlags) {}

void FolderBrowser::setFilter(const QString& filterExtension, quint32 enumerationFlags) {
    filterExtension_ = filterExtension;
    enumerationFlags_ = enumerationFlags;
}

namespace {

FileDialogError cannotOpen(const QString& path) {
    return FileDialogError(
        QStringLiteral("Der Ordner \"%1\" kann nicht geöffnet werden.").arg(path));
}

}  // namespace

void FolderBrowser::navigateTo(const QString& path) {
    const auto folder = FolderLocation::parse(path);
    if (!folder) {
        throw cannotOpen(path);
    }
    open(*folder);
}

void FolderBrowser::open(const FolderLocation& folder) {
    if (!folder.exists()) {
        throw cannotOpen(folder.path());
    }
    list_->setUpdatesEnabled(false);
    current_ = folder;
    listedAtNs_ = QDateTime::currentMSecsSinceEpoch() * 1000000;
    listedStamp_ = stampOf(folder);
    std::vector<ShellEntry> entries =
        FolderListing::enumerate(folder, filterExtension_, enumerationFlags_);
    leaveOutConcealed(folder, entries);
    model_->setEntries(folder, std::move(entries));
    if (model_->rowCount() > 0) {
        list_->selectRow(0);
    }
    list_->setUpdatesEnabled(true);
    pathField_->setText(folder.isVirtual() ? folder.displayName() : folder.path());
    if (opened_) {
        opened_();
    }
}

void FolderBrowser::leaveOutConcealed(const FolderLocation& folder,
                                      std::vector<ShellEntry>& entries) const {
    if (concealedName_.isEmpty() || folder.isVirtual() ||
        !StoreFolder::isSameFolder(folder.nativePath(), concealedFolder_)) {
        return;
    }
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [this](const ShellEntry& entry) {
                                     return !entry.isFolder && entry.fileName == concealedName_;
                                 }),
                  entries.end());
}

int FolderBrowser::refresh() {
    const int row = list_->selectedRow();
    const QString shownName = row >= 0 ? model_->entry(row).name : QString();
    const QByteArray fileName = row >= 0 ? model_->entry(row).fileName : QByteArray();
    open(current_);
    return row >= 0 ? selectByName(shownName, fileName) : -1;
}

void FolderBrowser::goUp() {
    const FolderLocation left = current_;
    const FolderLocation up = left.parent();
    open(up);
    // Rows of the computer folder are named by their volume's path.
    const QByteArray leftName = left.nativeName();
    selectByName(FileNameRules::shownName(QFile::decodeName(leftName)), leftName);
}

FolderBrowser::FolderStamp FolderBrowser::stampOf(const FolderLocation& folder) {
    struct stat status {};
    if (folder.isVirtual() || ::stat(folder.nativePath().constData(), &status) != 0) {
        return FolderStamp{};
    }
    return FolderStamp{static_cast<quint64>(status.st_dev), static_cast<quint64>(status.st_ino),
                       status.st_mtim.tv_sec * 1000000000LL + status.st_mtim.tv_nsec};
}

// File systems stamp changes with a coarse clock: a change in the last moments before the read
// may carry the same time as one just after it, so a folder changed then is read again.
bool FolderBrowser::listingCurrent() const {
    constexpr qint64 ClockSlackNs = 100 * 1000000LL;
    const FolderStamp now = stampOf(current_);
    return now.modifiedNs >= 0 && now == listedStamp_ &&
           now.modifiedNs < listedAtNs_ - ClockSlackNs;
}

void FolderBrowser::openChild(int row) {
    open(current_.child(model_->entry(row).fileName));
}

void FolderBrowser::moveReported(const std::function<void()>& move) {
    try {
        move();
    } catch (const FileDialogError& error) {
        if (showError_) {
            showError_(error.message());
        }
        openNearestExisting();
    }
}

int FolderBrowser::relistAndSelect(const QString& shownName, const QByteArray& fileName) {
    moveReported([this] { open(current_); });
    return selectByName(shownName, fileName);
}

void FolderBrowser::openNearestExisting() {
    FolderLocation folder = current_;
    while (!folder.exists()) {
        folder = folder.parent();
    }
    open(folder);
}

// The exact row first: "begins with" alone would let report.txt.old win over report.txt once
// folders sort first.
int FolderBrowser::selectByName(const QString& shownName, const QByteArray& fileName) {
    int row = model_->rowOfFileName(fileName);
    if (row < 0) {
        row = find(shownName, 0, false);
    }
    if (row >= 0) {
        list_->selectRow(row);
    }
    return row;
}

int FolderBrowser::find(const QString& text, int start, bool wrap) const {
    return model_->find(text, start, wrap);
}
