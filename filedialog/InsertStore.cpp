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
    bool removed = false;
    for (auto line = std::find(names_.begin(), names_.end(), name); line != names_.end();
         line = std::find(names_.begin(), names_.end(), name)) {
        names_.erase(line);
        removed = true;
        deleteItemIfUnlisted(name);
    }
    if (removed) {
        write();
    }
    return removed;
}

void InsertStore::add(const QByteArray& name) {
    if (itemPath(name).isEmpty()) {
        return;
    }
    names_.erase(std::remove(names_.begin(), names_.end(), name), names_.end());
    names_.insert(names_.begin(), name);
    while (names_.size() > InsertListFile::MaximumNames) {
        const QByteArray oldest = names_.back();
        names_.pop_back();
        deleteItemIfUnlisted(oldest);
    }
    write();
}

void InsertStore::clear() {
    while (!names_.empty()) {
        const QByteArray last = names_.back();
        names_.pop_back();
        deleteItemIfUnlisted(last);
    }
    write();
}

QByteArray InsertStore::listFilePath() const {
    return folder_ + InsertListFile::FileName;
}

void InsertStore::deleteItemIfUnlisted(const QByteArray& name) {
    const QByteArray path = itemPath(name);
    if (path.isEmpty() || std::find(names_.begin(), names_.end(), name) != names_.end()) {
        return;
    }
    if (operations_.exists(path)) {
        operations_.removePermanently(path);
    }
}

void InsertStore::write() const {
    const QByteArray path = listFilePath();
    const QString decoded = QFile::decodeName(path);
    // Qt names files by QString: a store folder whose bytes are no valid UTF-8 keeps its file.
    if (folder_.isEmpty() || QFile::encodeName(decoded) != path) {
        return;
    }
    // QSaveFile writes through a link; the list file is the store's own, never a link's target.
    struct stat status {};
    if (::lstat(path.constData(), &status) == 0 && S_ISLNK(status.st_mode)) {
        ::unlink(path.constData());
    }
    std::vector<std::string> lines;
    for (const QByteArray& name : names_) {
        lines.emplace_back(name.constData(), static_cast<std::size_t>(name.size()));
    }
    const std::string bytes = InsertListFile::serialise(lines);
    QSaveFile file(decoded);
    if (file.open(QIODevice::WriteOnly) &&
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
            static_cast<qint64>(bytes.size())) {
        file.commit();
    }
}
