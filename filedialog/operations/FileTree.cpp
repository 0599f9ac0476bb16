#include "FileTree.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string_view>
#include <vector>

#include "EveryByte.h"

namespace {

constexpr std::size_t CopyBufferBytes = 128 * 1024;
constexpr int FolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
constexpr mode_t KeptModeBits = S_ISVTX | S_IRWXU | S_IRWXG | S_IRWXO;

// Owns an open file descriptor.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }
    bool isOpen() const { return fd_ >= 0; }
    // A written file reports some write errors (NFS, a full disk) only here.
    bool close() {
        const bool closed = fd_ < 0 || ::close(fd_) == 0;
        fd_ = -1;
        return closed;
    }

  private:
    int fd_;
};

bool isDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// The names in an open folder, all read before anything in it is changed.
bool readNames(int folderFd, std::vector<QByteArray>& names) {
    const int readFd = ::dup(folderFd);
    DIR* const folder = readFd < 0 ? nullptr : ::fdopendir(readFd);
    if (folder == nullptr) {
        if (readFd >= 0) {
            ::close(readFd);
        }
        return false;
    }
    for (;;) {
        errno = 0;
        const dirent* item = ::readdir(folder);
        if (item == nullptr) {
            break;
        }
        if (!isDotOrDotDot(item->d_name)) {
            names.emplace_back(item->d_name);
        }
    }
    const bool complete = errno == 0;
    ::closedir(folder);
    return complete;
}

bool copyContents(int fromFd, int toFd) {
    std::vector<char> buffer(CopyBufferBytes);
    for (;;) {
        const ssize_t got = ::read(fromFd, buffer.data(), buffer.size());
        if (got == 0) {
            return true;
        }
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0 ||
            !WriteEveryByte(toFd, std::string_view(buffer.data(), static_cast<std::size_t>(got)))) {
            return false;
        }
    }
}

// `created` (where given) is set once the copy's own item exists at the target, so that a failed
// copy removes only what it made, never an item another program put there first.
bool copyItem(int fromFolder, const char* fromName, int toFolder, const char* toName,
              FileTree::CopiedItems* copied, bool* created = nullptr);

// Access and modification times as the source has them; a link's own, never its target's.
bool keepTimes(int toFolder, const char* toName, const struct stat& status) {
    const timespec times[2] = {status.st_atim, status.st_mtim};
    return ::utimensat(toFolder, toName, times, AT_SYMLINK_NOFOLLOW) == 0;
}

bool keepTimes(int fd, const struct stat& status) {
    const timespec times[2] = {status.st_atim, status.st_mtim};
    return ::futimens(fd, times) == 0;
}

void markCreated(bool* created) {
    if (created != nullptr) {
        *created = true;
    }
}

bool copyFile(int fromFolder, const char* fromName, int toFolder, const char* toName,
              bool* created) {
    // O_NONBLOCK: should a pipe have taken the file's place, opening it must not wait.
    Descriptor source(
        ::openat(fromFolder, fromName, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (!source.isOpen() || ::fstat(source.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return false;
    }
    Descriptor target(::openat(
        toFolder, toName, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR));
    if (!target.isOpen()) {
        return false;
    }
    markCreated(created);
    const bool copied = copyContents(source.get(), target.get()) &&
                        ::fchmod(target.get(), status.st_mode & KeptModeBits) == 0 &&
                        keepTimes(target.get(), status);
    return target.close() && copied;
}

bool copyLink(int fromFolder, const char* fromName, int toFolder, const char* toName,
              bool* created) {
    struct stat status {};
    if (::fstatat(fromFolder, fromName, &status, AT_SYMLINK_NOFOLLOW) != 0) {
        return false;
    }
    char target[PATH_MAX];
    const ssize_t length = ::readlinkat(fromFolder, fromName, target, sizeof target);
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof target) {
        return false;
    }
    target[length] = '\0';
    if (::symlinkat(target, toFolder, toName) != 0) {
        return false;
    }
    markCreated(created);
    return keepTimes(toFolder, toName, status);
}

bool copyFolder(int fromFolder, const char* fromName, int toFolder, const char* toName,
                FileTree::CopiedItems* copied, bool* created) {
    Descriptor source(::openat(fromFolder, fromName, FolderFlags));
    struct stat status {};
    if (!source.isOpen() || ::fstat(source.get(), &status) != 0) {
        return false;
    }
    // Private until filled: the source's mode may forbid writing into the copy.
    if (::mkdirat(toFolder, toName, S_IRWXU) != 0) {
        return false;
    }
    markCreated(created);
    Descriptor target(::openat(toFolder, toName, FolderFlags));
    std::vector<QByteArray> names;
    if (!target.isOpen() || !readNames(source.get(), names)) {
        return false;
    }
    for (const QByteArray& name : names) {
        if (!copyItem(source.get(), name.constData(), target.get(), name.constData(), copied)) {
            return false;
        }
    }
    // The times last: filling the copy changed them.
    return ::fchmod(target.get(), status.st_mode & KeptModeBits) == 0 &&
           keepTimes(target.get(), status);
}

bool copyItem(int fromFolder, const char* fromName, int toFolder, const char* toName,
              FileTree::CopiedItems* copied, bool* created) {
    struct stat status {};
    if (::fstatat(fromFolder, fromName, &status, AT_SYMLINK_NOFOLLOW) != 0) {
        return false;
    }
    bool done = true;  // pipe, socket or device: skipped
    if (S_ISDIR(status.st_mode)) {
        done = copyFolder(fromFolder, fromName, toFolder, toName, copied, created);
    } else if (S_ISREG(status.st_mode)) {
        done = copyFile(fromFolder, fromName, toFolder, toName, created);
    } else if (S_ISLNK(status.st_mode)) {
        done = copyLink(fromFolder, fromName, toFolder, toName, created);
    } else {
        return true;
    }
    if (done && copied != nullptr) {
        copied->insert({status.st_dev, status.st_ino});
    }
    return done;
}

// Removes what the copy recorded; anything else (a pipe, a socket, an item made since) stays,
// and so does the folder holding it. False only where a copied item could not be removed.
bool removeCopiedItem(int folder, const char* name, const FileTree::CopiedItems& copied) {
    struct stat status {};
    if (::fstatat(folder, name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
        return errno == ENOENT;
    }
    if (copied.count({status.st_dev, status.st_ino}) == 0) {
        return true;
    }
    if (!S_ISDIR(status.st_mode)) {
        return ::unlinkat(folder, name, 0) == 0 || errno == ENOENT;
    }
    Descriptor inner(::openat(folder, name, FolderFlags));
    std::vector<QByteArray> names;
    if (!inner.isOpen() || !readNames(inner.get(), names)) {
        return false;
    }
    bool removed = true;
    for (const QByteArray& item : names) {
        removed = removeCopiedItem(inner.get(), item.constData(), copied) && removed;
    }
    if (::unlinkat(folder, name, AT_REMOVEDIR) == 0) {
        return removed;
    }
    return removed && (errno == ENOTEMPTY || errno == EEXIST);
}

bool removeItem(int folder, const char* name);

bool emptyFolder(int parent, const char* name, mode_t mode) {
    Descriptor folder(::openat(parent, name, FolderFlags));
    if (!folder.isOpen()) {
        return false;
    }
    // A copy keeps a read-only folder's mode; its owner may still empty it.
    if ((mode & S_IRWXU) != S_IRWXU && ::fchmod(folder.get(), mode | S_IRWXU) != 0) {
        return false;
    }
    std::vector<QByteArray> names;
    bool emptied = readNames(folder.get(), names);
    for (const QByteArray& item : names) {
        emptied = removeItem(folder.get(), item.constData()) && emptied;
    }
    return emptied;
}

bool removeItem(int folder, const char* name) {
    struct stat status {};
    if (::fstatat(folder, name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
        return errno == ENOENT;
    }
    if (!S_ISDIR(status.st_mode)) {
        return ::unlinkat(folder, name, 0) == 0 || errno == ENOENT;
    }
    const bool emptied = emptyFolder(folder, name, status.st_mode);
    return emptied && ::unlinkat(folder, name, AT_REMOVEDIR) == 0;
}

bool existsAsAnything(const QByteArray& path) {
    struct stat status {};
    return ::lstat(path.constData(), &status) == 0;
}

bool isFolderFollowingLinks(const QByteArray& path) {
    struct stat status {};
    return ::stat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

bool FileTree::copy(const QByteArray& from, const QByteArray& to, CopiedItems* copied) {
    if (from.isEmpty() || to.isEmpty() || existsAsAnything(to)) {
        return false;
    }
    struct stat status {};
    if (::lstat(from.constData(), &status) != 0 ||
        !(S_ISDIR(status.st_mode) || S_ISREG(status.st_mode) || S_ISLNK(status.st_mode))) {
        return false;
    }
    bool created = false;
    if (copyItem(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), copied, &created)) {
        return true;
    }
    if (created) {
        removeItem(AT_FDCWD, to.constData());
    }
    return false;
}

bool FileTree::removeCopied(const QByteArray& path, const CopiedItems& copied) {
    return !path.isEmpty() && removeCopiedItem(AT_FDCWD, path.constData(), copied);
}

bool FileTree::remove(const QByteArray& path) {
    return !path.isEmpty() && existsAsAnything(path) && removeItem(AT_FDCWD, path.constData());
}

bool FileTree::makePath(const QByteArray& path, mode_t mode) {
    if (path.isEmpty()) {
        return false;
    }
    // Each level from the top; one that exists already may also be a link to a folder.
    for (qsizetype slash = path.indexOf('/', 1);; slash = path.indexOf('/', slash + 1)) {
        const QByteArray level = slash < 0 ? path : path.left(slash);
        if (::mkdir(level.constData(), mode) != 0 && !isFolderFollowingLinks(level)) {
            return false;
        }
        if (slash < 0) {
            return true;
        }
    }
}
