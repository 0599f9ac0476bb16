#include "FileTree.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <vector>

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

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
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
        if (got < 0 || !writeAll(toFd, buffer.data(), static_cast<std::size_t>(got))) {
            return false;
        }
    }
}

// `created` (where given) is set once the copy's own item exists at the target, so that a failed
// copy removes only what it made, never an item another program put there first.
bool copyItem(int fromFolder, const char* fromName, int toFolder, const char* toName,
              bool* created = nullptr);

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
                        ::fchmod(target.get(), status.st_mode & KeptModeBits) == 0;
    return target.close() && copied;
}

bool copyLink(int fromFolder, const char* fromName, int toFolder, const char* toName,
              bool* created) {
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
    return true;
}

bool copyFolder(int fromFolder, const char* fromName, int toFolder, const char* toName,
                bool* created) {
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
        if (!copyItem(source.get(), name.constData(), target.get(), name.constData())) {
            return false;
        }
    }
    return ::fchmod(target.get(), status.st_mode & KeptModeBits) == 0;
}

bool copyItem(int fromFolder, const char* fromName, int toFolder, const char* toName,
              bool* created) {
    struct stat status {};
    if (::fstatat(fromFolder, fromName, &status, AT_SYMLINK_NOFOLLOW) != 0) {
        return false;
    }
    if (S_ISDIR(status.st_mode)) {
        return copyFolder(fromFolder, fromName, toFolder, toName, created);
    }
    if (S_ISREG(status.st_mode)) {
        return copyFile(fromFolder, fromName, toFolder, toName, created);
    }
    if (S_ISLNK(status.st_mode)) {
        return copyLink(fromFolder, fromName, toFolder, toName, created);
    }
    return true;  // pipe, socket or device: skipped
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

bool FileTree::copy(const QByteArray& from, const QByteArray& to) {
    if (from.isEmpty() || to.isEmpty() || existsAsAnything(to)) {
        return false;
    }
    struct stat status {};
    if (::lstat(from.constData(), &status) != 0 ||
        !(S_ISDIR(status.st_mode) || S_ISREG(status.st_mode) || S_ISLNK(status.st_mode))) {
        return false;
    }
    bool created = false;
    if (copyItem(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), &created)) {
        return true;
    }
    if (created) {
        removeItem(AT_FDCWD, to.constData());
    }
    return false;
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
