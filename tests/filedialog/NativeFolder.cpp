#include "NativeFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <stdexcept>

void NativeFolder::write(const QByteArray& name, const QByteArray& contents, mode_t mode) const {
    const int fd = ::open(path(name).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    const bool written =
        fd >= 0 && ::write(fd, contents.constData(), contents.size()) == contents.size();
    const bool closed = fd >= 0 && ::close(fd) == 0;
    // The umask must not change the mode a test asks for.
    if (!written || !closed || ::chmod(path(name).constData(), mode) != 0) {
        throw std::runtime_error("cannot write a test file");
    }
}

void NativeFolder::makeFolder(const QByteArray& name) const {
    if (::mkdir(path(name).constData(), 0755) != 0) {
        throw std::runtime_error("cannot create a test folder");
    }
}

void NativeFolder::link(const QByteArray& name, const QByteArray& target) const {
    if (::symlink(target.constData(), path(name).constData()) != 0) {
        throw std::runtime_error("cannot create a test link");
    }
}

QByteArray NativeFolder::read(const QByteArray& name) const {
    const int fd = ::open(path(name).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return {};
    }
    QByteArray contents;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0) {
        contents.append(buffer, got);
    }
    ::close(fd);
    return contents;
}

QByteArray NativeFolder::linkTarget(const QByteArray& name) const {
    char target[PATH_MAX];
    const ssize_t length = ::readlink(path(name).constData(), target, sizeof target);
    return length < 0 ? QByteArray() : QByteArray(target, length);
}
