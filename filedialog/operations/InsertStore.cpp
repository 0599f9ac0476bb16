#include "InsertStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <string>

#include "FileOperations.h"
#include "InsertListFile.h"
#include "RegularFile.h"

namespace {

bool isSafe(const QByteArray& name) {
    return InsertListFile::isSafeName(std::string_view(name.constData(), name.size()));
}

// At most InsertListFile::MaximumFileBytes of a regular file; a link, pipe or device reads as
// nothing, and opening never waits for a pipe's writer.
QByteArray readListFile(const QByteArray& path) {
    RegularFile file(path.constData(), RegularFile::Links::Refuse);
    if (!file.isOpen()) {
        return {};
    }
    QByteArray bytes(qsizetype(InsertListFile::MaximumFileBytes), Qt::Uninitialized);
    bytes.truncate(
        qsizetype(std::max(0LL, file.readInto(bytes.data(), std::size_t(bytes.size())))));
    return bytes;
}

// A file cut off at the size bound ends in part of a line, which names nothing.
QByteArray withoutCutOffLine(const QByteArray& bytes) {
    if (bytes.size() < static_cast<qsizetype>(InsertListFile::MaximumFileBytes)) {
        return bytes;
    }
    return bytes.left(bytes.lastIndexOf('\n') + 1);
}

// The name first, an older line of it gone; lines past the limit go into `dropped`.
std::vector<QByteArray> withNameFirst(std::vector<QByteArray> names, const QByteArray& name,
                                      std::vector<QByteArray>* dropped) {
    names.erase(std::remove(names.begin(), names.end(), name), names.end());
    names.insert(names.begin(), name);
    while (names.size() > InsertListFile::MaximumNames) {
        dropped->push_back(names.back());
        names.pop_back();
    }
    return names;
}

}  // namespace

InsertStore::InsertStore(FileOperations& operations) : operations_(operations) {}

void InsertStore::setFolder(const QByteArray& folderWithSlash) {
    folder_ = folderWithSlash;
    if (!folder_.isEmpty() && !folder_.endsWith('/')) {
        folder_ += '/';
    }
}

bool InsertStore::load() {
    names_.clear();
    if (folder_.isEmpty()) {
        return false;
    }
    const QByteArray bytes = withoutCutOffLine(readListFile(listFilePath()));
    for (const std::string& name :
         InsertListFile::parse(std::string_view(bytes.constData(), bytes.size()))) {
        names_.emplace_back(name.data(), static_cast<qsizetype>(name.size()));
    }
    return !names_.empty();
}

bool InsertStore::isFolder(int index) const {
    return index >= 0 && index < count() && operations_.isFolder(itemPath(names_[index]));
}

QString InsertStore::menuCaption(int index) const {
    if (index < 0 || index >= count()) {
        return {};
    }
    const QString shown = QFile::decodeName(names_[index]);
    return isFolder(index) ? QLatin1Char('[') + shown + QLatin1Char(']') : shown;
}

QByteArray InsertStore::itemPath(const QByteArray& name) const {
    if (folder_.isEmpty() || !isSafe(name)) {
        return {};
    }
    return folder_ + name;
}

bool InsertStore::remove(const QByteArray& name) {
    if (itemPath(name).isEmpty()) {
        return false;
    }
    std::vector<QByteArray> kept = names_;
    kept.erase(std::remove(kept.begin(), kept.end(), name), kept.end());
    if (kept.size() == names_.size() || !write(kept)) {
        return false;
    }
    if (!trashItem(name)) {
        write(names_);
        return false;
    }
    names_ = std::move(kept);
    return true;
}

QByteArray InsertStore::incomingPath() const {
    if (folder_.isEmpty()) {
        return {};
    }
    for (uint n = 1;; ++n) {
        const QByteArray name = ".incoming-" + QByteArray::number(n);
        if (std::find(names_.begin(), names_.end(), name) == names_.end() &&
            !operations_.exists(folder_ + name)) {
            return folder_ + name;
        }
    }
}

bool InsertStore::takeIn(const QByteArray& name, const QByteArray& incoming) {
    if (itemPath(name).isEmpty() || incoming.isEmpty()) {
        return false;
    }
    std::vector<QByteArray> dropped;
    std::vector<QByteArray> listed = withNameFirst(names_, name, &dropped);
    if (!write(listed)) {
        return false;
    }
    // The older item goes to the trash under its own name, so that it is restored as it was.
    if (!trashItem(name)) {
        write(names_);
        return false;
    }
    if (operations_.rename(incoming, itemPath(name)) != FileOperations::Done) {
        // Only here an older item is in the trash already; its line goes with it.
        names_.erase(std::remove(names_.begin(), names_.end(), name), names_.end());
        write(names_);
        return false;
    }
    names_ = std::move(listed);
    for (const QByteArray& oldest : dropped) {
        // An oldest item that cannot be trashed is no longer listed, but stays in the store.
        trashItem(oldest);
    }
    return true;
}

void InsertStore::clear() {
    if (!write({})) {
        return;
    }
    std::vector<QByteArray> kept;
    for (auto line = names_.rbegin(); line != names_.rend(); ++line) {
        if (!trashItem(*line)) {
            kept.insert(kept.begin(), *line);
        }
    }
    names_ = std::move(kept);
    if (!names_.empty()) {
        write(names_);
    }
}

QByteArray InsertStore::listFilePath() const {
    return folder_ + InsertListFile::FileName;
}

bool InsertStore::trashItem(const QByteArray& name) {
    const QByteArray path = itemPath(name);
    return !path.isEmpty() &&
           (!operations_.exists(path) || operations_.moveToTrash(path) == FileOperations::Done);
}

bool InsertStore::write(const std::vector<QByteArray>& names) const {
    const QByteArray path = listFilePath();
    const QString decoded = QFile::decodeName(path);
    // Qt names files by QString: a store folder whose bytes are no valid UTF-8 keeps its file.
    if (folder_.isEmpty() || QFile::encodeName(decoded) != path) {
        return false;
    }
    // QSaveFile writes through a link; the list file is the store's own, never a link's target.
    struct stat status {};
    if (::lstat(path.constData(), &status) == 0 && S_ISLNK(status.st_mode)) {
        ::unlink(path.constData());
    }
    std::vector<std::string> lines;
    for (const QByteArray& name : names) {
        lines.emplace_back(name.constData(), static_cast<std::size_t>(name.size()));
    }
    const std::string bytes = InsertListFile::serialise(lines);
    QSaveFile file(decoded);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    // A full disk shows only when the buffer is flushed; QSaveFile would still commit.
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
