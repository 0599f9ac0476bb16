#include "NoReplaceRename.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

int renameWithoutReplacing(const char* from, const char* to) {
    return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE);
}

bool flagRefused(int error) {
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

// Hard links are not offered on every file system (FAT, many FUSE mounts).
bool linksRefused(int error) {
    return error == EPERM || error == EOPNOTSUPP || error == ENOSYS || error == EMLINK;
}

}  // namespace

NoReplaceRename::NoReplaceRename() : call_(renameWithoutReplacing) {}

bool NoReplaceRename::rename(const QByteArray& from, const QByteArray& to) const {
    if (from.isEmpty() || to.isEmpty()) {
        errno = ENOENT;
        return false;
    }
    if (call_(from.constData(), to.constData()) == 0) {
        return true;
    }
    if (!flagRefused(errno)) {
        return false;
    }
    struct stat status {};
    if (::lstat(from.constData(), &status) != 0) {
        return false;
    }
    if (!S_ISDIR(status.st_mode)) {
        if (renameByLink(from, to)) {
            return true;
        }
        if (!linksRefused(errno)) {
            return false;
        }
    }
    return renameOverOwnPlaceholder(from, to, S_ISDIR(status.st_mode));
}

bool NoReplaceRename::renameByLink(const QByteArray& from, const QByteArray& to) {
    // linkat without AT_SYMLINK_FOLLOW links a link itself.
    if (::linkat(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), 0) != 0) {
        return false;
    }
    if (::unlink(from.constData()) == 0) {
        return true;
    }
    const int error = errno;
    ::unlink(to.constData());
    errno = error;
    return false;
}

// rename(2) replaces an empty folder with a folder and a file with a file; the placeholder is
// ours, made exclusively a moment ago. Should another program fill a placeholder folder in
// between, the rename fails and its items stay.
bool NoReplaceRename::renameOverOwnPlaceholder(const QByteArray& from, const QByteArray& to,
                                               bool folder) {
    if (!makePlaceholder(to, folder)) {
        return false;
    }
    if (::rename(from.constData(), to.constData()) == 0) {
        return true;
    }
    const int error = errno;
    if (folder) {
        ::rmdir(to.constData());
    } else {
        ::unlink(to.constData());
    }
    errno = error;
    return false;
}

bool NoReplaceRename::makePlaceholder(const QByteArray& path, bool folder) {
    if (folder) {
        return ::mkdir(path.constData(), S_IRWXU) == 0;
    }
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          S_IRUSR | S_IWUSR);
    return fd >= 0 && ::close(fd) == 0;
}
