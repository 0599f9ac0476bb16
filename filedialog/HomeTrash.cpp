#include "HomeTrash.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <cerrno>

#include "FileTree.h"

namespace {

// Tried before giving up: "name", "name.2", ... "name.1000".
constexpr int NameAttempts = 1000;
// Leaves room for ".1000" and ".trashinfo" in a file name of at most 255 bytes.
constexpr qsizetype LongestTrashName = 240;

QByteArray withoutTrailingSlashes(QByteArray path) {
    while (path.size() > 1 && path.endsWith('/')) {
        path.chop(1);
    }
    return path;
}

QByteArray absolutePath(const QByteArray& path) {
    if (path.startsWith('/')) {
        return withoutTrailingSlashes(path);
    }
    char here[PATH_MAX];
    if (::getcwd(here, sizeof here) == nullptr) {
        return {};
    }
    return withoutTrailingSlashes(QByteArray(here) + '/' + path);
}

QByteArray trashNameFor(const QByteArray& absolute) {
    return absolute.mid(absolute.lastIndexOf('/') + 1).left(LongestTrashName);
}

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.constData() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += written;
    }
    return true;
}

bool onSameFileSystem(const QByteArray& item, const QByteArray& folder) {
    struct stat itemStatus {};
    struct stat folderStatus {};
    return ::lstat(item.constData(), &itemStatus) == 0 &&
           ::stat(folder.constData(), &folderStatus) == 0 &&
           itemStatus.st_dev == folderStatus.st_dev;
}

}  // namespace

QByteArray HomeTrash::folder() {
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    if (dataHome.startsWith('/')) {
        return withoutTrailingSlashes(dataHome) + "/Trash";
    }
    const QByteArray home = qgetenv("HOME");
    return (home.startsWith('/') ? withoutTrailingSlashes(home)
                                 : QFile::encodeName(QDir::homePath())) +
           "/.local/share/Trash";
}

bool HomeTrash::moveToTrash(const QByteArray& path) {
    const QByteArray absolute = absolutePath(path);
    const QByteArray trash = folder();
    if (absolute.isEmpty() || trashNameFor(absolute).isEmpty() ||
        !FileTree::makePath(trash + "/files", S_IRWXU) ||
        !FileTree::makePath(trash + "/info", S_IRWXU) ||
        !onSameFileSystem(absolute, trash + "/files")) {
        return false;
    }
    return moveUnderFreeName(absolute, trash, recordFor(absolute));
}

QByteArray HomeTrash::recordFor(const QByteArray& originalPath) {
    const QByteArray when =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd'T'hh:mm:ss")).toLatin1();
    return "[Trash Info]\nPath=" + originalPath.toPercentEncoding("/") + "\nDeletionDate=" + when +
           '\n';
}

bool HomeTrash::moveUnderFreeName(const QByteArray& path, const QByteArray& trash,
                                  const QByteArray& record) {
    const QByteArray name = trashNameFor(path);
    for (int attempt = 1; attempt <= NameAttempts; ++attempt) {
        const QByteArray candidate = attempt == 1 ? name : name + '.' + QByteArray::number(attempt);
        const QByteArray infoPath = trash + "/info/" + candidate + ".trashinfo";
        // O_EXCL makes the record the name's reservation, also against other programs.
        const int fd =
            ::open(infoPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                   S_IRUSR | S_IWUSR);
        if (fd < 0 && errno == EEXIST) {
            continue;
        }
        if (fd < 0) {
            return false;
        }
        const bool written = writeAll(fd, record);
        const bool recorded = ::close(fd) == 0 && written;
        const QByteArray target = trash + "/files/" + candidate;
        if (recorded && ::renameat2(AT_FDCWD, path.constData(), AT_FDCWD, target.constData(),
                                    RENAME_NOREPLACE) == 0) {
            return true;
        }
        const bool nameTaken = recorded && errno == EEXIST;
        ::unlink(infoPath.constData());
        if (!nameTaken) {
            return false;
        }
    }
    return false;
}
