#include "StoreFolder.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>

#include <cerrno>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "FileTree.h"

namespace {

constexpr qint64 MaximumHiddenListBytes = 64 * 1024;
const QString HiddenListName = QStringLiteral(".hidden");

// rename(2) that never replaces what is at `to`.
bool renamedAlone(const QByteArray& from, const QByteArray& to) {
    return ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0;
}

}  // namespace

QString StoreFolder::defaultFolder() {
    const QString place = QStringLiteral("/kalvio/store");
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + place;
    moveOldStore(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + place,
                 folder);
    return folder + QLatin1Char('/');
}

bool StoreFolder::moveOldStore(const QString& oldFolder, const QString& newFolder) {
    const QByteArray from = QFile::encodeName(oldFolder);
    const QByteArray to = QFile::encodeName(newFolder);
    struct stat status {};
    if (::lstat(from.constData(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        ::lstat(to.constData(), &status) == 0 ||
        !FileTree::makePath(QFile::encodeName(QFileInfo(newFolder).path()), S_IRWXU)) {
        return false;
    }
    if (renamedAlone(from, to)) {
        return true;
    }
    if (errno != EXDEV) {
        return false;
    }
    // Across file systems the copy is made whole beside the new place before it takes it.
    const QByteArray incoming = to + ".incoming";
    FileTree::remove(incoming);
    if (!FileTree::copy(from, incoming) || !renamedAlone(incoming, to)) {
        FileTree::remove(incoming);
        return false;
    }
    FileTree::remove(from);
    return true;
}

int StoreFolder::prepare(const QString& folder, QString* result) {
    if (folder.isEmpty()) {
        return -1;
    }
    const QString trimmed = folder.endsWith(QLatin1Char('/')) ? folder.chopped(1) : folder;
    if (trimmed.isEmpty()) {
        return -2;
    }
    // A relative folder would land wherever the process happens to run.
    if (trimmed.contains(QChar(0)) || !QDir::isAbsolutePath(trimmed) || !QDir().mkpath(trimmed)) {
        return -3;
    }
    const QString clean = QDir::cleanPath(trimmed);
    if (!hide(clean)) {
        return -4;
    }
    *result = clean + QLatin1Char('/');
    return 0;
}

bool StoreFolder::hide(const QString& folder) {
    const QFileInfo info(folder);
    const QByteArray name = QFile::encodeName(info.fileName());
    const QString listPath = info.dir().filePath(HiddenListName);
    QByteArray content;
    QFile existing(listPath);
    if (existing.exists()) {
        if (!QFileInfo(listPath).isFile() || existing.size() > MaximumHiddenListBytes ||
            !existing.open(QIODevice::ReadOnly)) {
            return false;
        }
        content = existing.read(MaximumHiddenListBytes);
    }
    if (content.split('\n').contains(name)) {
        return true;
    }
    if (!content.isEmpty() && !content.endsWith('\n')) {
        content += '\n';
    }
    content += name + '\n';
    QSaveFile list(listPath);
    if (!list.open(QIODevice::WriteOnly)) {
        return false;
    }
    // A full disk shows only when the buffer is flushed; QSaveFile would still commit.
    if (list.write(content) != content.size() || !list.flush()) {
        list.cancelWriting();
        return false;
    }
    return list.commit();
}

bool StoreFolder::isSameFolder(const QByteArray& folder, const QByteArray& other) {
    struct stat first {};
    struct stat second {};
    return !folder.isEmpty() && !other.isEmpty() && ::stat(folder.constData(), &first) == 0 &&
           ::stat(other.constData(), &second) == 0 && S_ISDIR(first.st_mode) &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}
