#include "DiskFileOperations.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "DesktopTrash.h"
#include "FileTree.h"

namespace {

int resultOf(bool done) {
    return done ? FileOperations::Done : FileOperations::Failed;
}

// The absolute path with every folder above its last element resolved; the last element stays
// as it is, since it may be a link or not exist yet. Empty where that cannot be done.
QByteArray resolvedPath(QByteArray path) {
    while (path.size() > 1 && path.endsWith('/')) {
        path.chop(1);
    }
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray name = path.mid(slash + 1);
    if (name.isEmpty() || name == "." || name == "..") {
        return {};
    }
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? "/" : path.left(slash);
    char resolved[PATH_MAX];
    if (::realpath(folder.constData(), resolved) == nullptr) {
        return {};
    }
    const QByteArray resolvedFolder(resolved);
    return resolvedFolder.endsWith('/') ? resolvedFolder + name : resolvedFolder + '/' + name;
}

bool isWithin(const QByteArray& inner, const QByteArray& outer) {
    return inner == outer || inner.startsWith(outer + '/');
}

}  // namespace

int DiskFileOperations::moveToTrash(const QByteArray& path) {
    if (!exists(path)) {
        return Failed;
    }
    switch (trash_.moveToTrash(path)) {
        case DesktopTrash::Outcome::Trashed:
            return Done;
        case DesktopTrash::Outcome::NoTrash:
            // A file system without a trash: the item is deleted for good, as it would be there.
            return removePermanently(path);
        case DesktopTrash::Outcome::Failed:
            break;
    }
    return Failed;
}

int DiskFileOperations::move(const QByteArray& from, const QByteArray& to) {
    if (!makeRoomFor(from, to)) {
        return Failed;
    }
    if (::rename(from.constData(), to.constData()) == 0) {
        return Done;
    }
    if (errno != EXDEV) {
        return Failed;
    }
    FileTree::CopiedItems copied;
    if (!FileTree::copy(from, to, &copied)) {
        return Failed;
    }
    return FileTree::removeCopied(from, copied) ? Done : DoneSourceLeft;
}

int DiskFileOperations::copy(const QByteArray& from, const QByteArray& to) {
    return resultOf(makeRoomFor(from, to) && FileTree::copy(from, to));
}

int DiskFileOperations::copyToNew(const QByteArray& from, const QByteArray& to) {
    return resultOf(isCopyable(from, to) && FileTree::copy(from, to));
}

int DiskFileOperations::rename(const QByteArray& from, const QByteArray& to) {
    return resultOf(exists(from) && renamer_.rename(from, to));
}

int DiskFileOperations::makeFolder(const QByteArray& path) {
    return resultOf(FileTree::makePath(path, S_IRWXU | S_IRWXG | S_IRWXO));
}

int DiskFileOperations::removePermanently(const QByteArray& path) {
    return resultOf(FileTree::remove(path));
}

bool DiskFileOperations::exists(const QByteArray& path) const {
    struct stat status {};
    return !path.isEmpty() && ::lstat(path.constData(), &status) == 0;
}

bool DiskFileOperations::isFolder(const QByteArray& path) const {
    struct stat status {};
    return !path.isEmpty() && ::lstat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool DiskFileOperations::makeRoomFor(const QByteArray& from, const QByteArray& to) {
    return isCopyable(from, to) && (!exists(to) || FileTree::remove(to));
}

bool DiskFileOperations::isCopyable(const QByteArray& from, const QByteArray& to) const {
    if (!exists(from)) {
        return false;
    }
    const QByteArray source = resolvedPath(from);
    const QByteArray target = resolvedPath(to);
    return !source.isEmpty() && !target.isEmpty() && !isWithin(source, target) &&
           !isWithin(target, source);
}
