#include "FolderBrowser.h"

#include <sys/stat.h>

#include <QDateTime>
#include <QFile>
#include <algorithm>

#include "FileDialogError.h"
#include "FileNameRules.h"
#include "FolderListing.h"
#include "VirtualListModel.h"

FolderBrowser::FolderBrowser(VirtualListModel* model)
    : model_(model),
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

QString FolderBrowser::shownPath() const {
    return current_.isVirtual() ? current_.displayName() : current_.path();
}

int FolderBrowser::navigateTo(const QString& path) {
    const auto folder = FolderLocation::parse(path);
    if (!folder) {
        throw cannotOpen(path);
    }
    return open(*folder);
}

int FolderBrowser::open(const FolderLocation& folder) {
    if (!folder.exists()) {
        throw cannotOpen(folder.path());
    }
    current_ = folder;
    listedAtNs_ = QDateTime::currentMSecsSinceEpoch() * 1000000;
    listedStamp_ = stampOf(folder);
    std::vector<ShellEntry> entries =
        FolderListing::enumerate(folder, filterExtension_, enumerationFlags_);
    leaveOutConcealed(folder, entries);
    model_->setEntries(folder, std::move(entries));
    return model_->rowCount() > 0 ? 0 : -1;
}

void FolderBrowser::leaveOutConcealed(const FolderLocation& folder,
                                      std::vector<ShellEntry>& entries) const {
    const QByteArray concealed =
        (concealedIn_ && !folder.isVirtual()) ? concealedIn_(folder.nativePath()) : QByteArray();
    if (concealed.isEmpty()) {
        return;
    }
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [&concealed](const ShellEntry& entry) {
                                     return !entry.isFolder && entry.fileName == concealed;
                                 }),
                  entries.end());
}

int FolderBrowser::refresh(int selectedRow) {
    if (selectedRow < 0 || selectedRow >= model_->rowCount()) {
        return open(current_);
    }
    const QString shownName = model_->entry(selectedRow).name;
    const QByteArray fileName = model_->entry(selectedRow).fileName;
    const int first = open(current_);
    const int row = rowOfName(shownName, fileName);
    return row >= 0 ? row : first;
}

int FolderBrowser::goUp() {
    const FolderLocation left = current_;
    const int first = open(left.parent());
    // Rows of the computer folder are named by their volume's path.
    const QByteArray leftName = left.nativeName();
    const int row = rowOfName(FileNameRules::shownName(QFile::decodeName(leftName)), leftName);
    return row >= 0 ? row : first;
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

int FolderBrowser::openChild(int row) {
    return open(current_.child(model_->entry(row).fileName));
}

int FolderBrowser::moveReported(const std::function<int()>& move) {
    try {
        return move();
    } catch (const FileDialogError& error) {
        if (showError_) {
            showError_(error.message());
        }
        return openNearestExisting();
    }
}

int FolderBrowser::openNearestExisting() {
    FolderLocation folder = current_;
    while (!folder.exists()) {
        folder = folder.parent();
    }
    return open(folder);
}

// The exact row first: "begins with" alone would let report.txt.old win over report.txt once
// folders sort first.
int FolderBrowser::rowOfName(const QString& shownName, const QByteArray& fileName) const {
    const int row = model_->rowOfFileName(fileName);
    return row >= 0 ? row : find(shownName, 0, false);
}

int FolderBrowser::find(const QString& text, int start, bool wrap) const {
    return model_->find(text, start, wrap);
}
