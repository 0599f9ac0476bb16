#include "DesktopTrash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>

#include "EveryByte.h"
#include "FileTree.h"

namespace {

// Tried before giving up: "name", "name.2", ... "name.1000".
constexpr int NameAttempts = 1000;
// Leaves room for ".1000" and ".trashinfo" in a file name of at most 255 bytes.
constexpr qsizetype LongestTrashName = 240;
constexpr mode_t PrivateFolder = S_IRWXU;

QByteArray withoutTrailingSlashes(QByteArray path) {
    while (path.size() > 1 && path.endsWith('/')) {
        path.chop(1);
    }
    return path;
}

QByteArray folderAbove(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : path.left(slash);
}

QByteArray lastElement(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

QByteArray joined(const QByteArray& folder, const QByteArray& name) {
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

// The item's absolute path with every folder above it resolved; the item itself, which may be
// a link, is left as it is. Empty where that cannot be done.
QByteArray absoluteItemPath(const QByteArray& path) {
    const QByteArray trimmed = withoutTrailingSlashes(path);
    const QByteArray name = lastElement(trimmed);
    if (name.isEmpty() || name == "." || name == "..") {
        return {};
    }
    const QByteArray folder = trimmed.contains('/') ? folderAbove(trimmed) : QByteArray(".");
    char resolved[PATH_MAX];
    if (::realpath(folder.constData(), resolved) == nullptr) {
        return {};
    }
    return joined(QByteArray(resolved), name);
}

// Where an item lies: a rename works only within one mount. The mount ID tells bind mounts of
// one file system apart; kernels without it leave the device alone to tell.
struct Mount {
    dev_t device = 0;
    std::uint64_t id = 0;
    bool hasId = false;

    bool operator==(const Mount& other) const {
        return device == other.device && (!hasId || !other.hasId || id == other.id);
    }
    bool operator!=(const Mount& other) const { return !(*this == other); }
};

bool mountOf(const QByteArray& path, bool followLink, Mount& mount) {
    struct statx status {};
    if (::statx(AT_FDCWD, path.constData(), followLink ? 0 : AT_SYMLINK_NOFOLLOW,
                STATX_BASIC_STATS | STATX_MNT_ID, &status) != 0) {
        return false;
    }
    mount.device = makedev(status.stx_dev_major, status.stx_dev_minor);
    mount.hasId = (status.stx_mask & STATX_MNT_ID) != 0;
    mount.id = status.stx_mnt_id;
    return true;
}

// The mount of the folder itself or, where it does not exist yet, of the nearest folder above.
bool mountOfFolderToBe(QByteArray folder, Mount& mount) {
    while (!mountOf(folder, true, mount)) {
        if (errno != ENOENT || folder == "/") {
            return false;
        }
        folder = folderAbove(folder);
    }
    return true;
}

// The highest folder above the item that is still on the item's mount.
QByteArray topFolderOf(const QByteArray& absoluteItem, const Mount& itemMount) {
    QByteArray top = folderAbove(absoluteItem);
    while (top != "/") {
        const QByteArray above = folderAbove(top);
        Mount aboveMount;
        if (!mountOf(above, true, aboveMount) || aboveMount != itemMount) {
            break;
        }
        top = above;
    }
    return top;
}

// A folder we own, no link: made where missing, checked where it was there.
bool isOwnFolder(const QByteArray& path) {
    if (::mkdir(path.constData(), PrivateFolder) != 0 && errno != EEXIST) {
        return false;
    }
    struct stat status {};
    return ::lstat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::getuid();
}

bool hasTrashFolders(const QByteArray& trash) {
    return isOwnFolder(trash + "/files") && isOwnFolder(trash + "/info");
}

// A folder shared by every user must be sticky, or anyone could take another's items out.
bool isStickySharedTrash(const QByteArray& path) {
    struct stat status {};
    return ::lstat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
           (status.st_mode & S_ISVTX) != 0;
}

}  // namespace

QByteArray DesktopTrash::homeFolder() {
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    if (dataHome.startsWith('/')) {
        return withoutTrailingSlashes(dataHome) + "/Trash";
    }
    const QByteArray home = qgetenv("HOME");
    return (home.startsWith('/') ? withoutTrailingSlashes(home)
                                 : QFile::encodeName(QDir::homePath())) +
           "/.local/share/Trash";
}

DesktopTrash::Outcome DesktopTrash::moveToTrash(const QByteArray& path) const {
    const QByteArray absolute = absoluteItemPath(path);
    Mount itemMount;
    Mount homeTrashMount;
    const QByteArray homeTrash = homeFolder();
    if (absolute.isEmpty() || !mountOf(absolute, false, itemMount) ||
        !mountOfFolderToBe(homeTrash, homeTrashMount)) {
        return Outcome::Failed;
    }
    if (itemMount == homeTrashMount) {
        if (!FileTree::makePath(homeTrash, PrivateFolder) || !hasTrashFolders(homeTrash)) {
            return Outcome::Failed;
        }
        return moveUnderFreeName(absolute, homeTrash, recordFor(absolute));
    }
    Mount folderMount;
    if (!mountOf(folderAbove(absolute), true, folderMount) || folderMount != itemMount) {
        return Outcome::Failed;  // a mount point is never moved
    }
    const QByteArray top = topFolderOf(absolute, itemMount);
    const QByteArray trash = topTrashFor(top);
    if (trash.isEmpty()) {
        return Outcome::NoTrash;
    }
    const QByteArray relative = absolute.mid(top == "/" ? 1 : top.size() + 1);
    return moveUnderFreeName(absolute, trash, recordFor(relative));
}

QByteArray DesktopTrash::topTrashFor(const QByteArray& topFolder) {
    const QByteArray uid = QByteArray::number(static_cast<qulonglong>(::getuid()));
    const QByteArray shared = joined(topFolder, ".Trash");
    if (isStickySharedTrash(shared)) {
        const QByteArray own = shared + '/' + uid;
        if (isOwnFolder(own) && hasTrashFolders(own)) {
            return own;
        }
    }
    const QByteArray own = joined(topFolder, ".Trash-" + uid);
    return isOwnFolder(own) && hasTrashFolders(own) ? own : QByteArray();
}

QByteArray DesktopTrash::recordFor(const QByteArray& pathOnRecord) {
    const QByteArray when =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd'T'hh:mm:ss")).toLatin1();
    return "[Trash Info]\nPath=" + pathOnRecord.toPercentEncoding("/") + "\nDeletionDate=" + when +
           '\n';
}

DesktopTrash::Outcome DesktopTrash::moveUnderFreeName(const QByteArray& path,
                                                      const QByteArray& trash,
                                                      const QByteArray& record) const {
    const QByteArray name = lastElement(path).left(LongestTrashName);
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
            return Outcome::Failed;
        }
        const bool written =
            WriteEveryByte(fd, std::string_view(record.constData(), record.size()));
        const bool recorded = ::close(fd) == 0 && written;
        if (recorded && renamer_.rename(path, trash + "/files/" + candidate)) {
            return Outcome::Trashed;
        }
        // A leftover in files/ without its record keeps its name; the next one is tried.
        const bool nameTaken = recorded && errno == EEXIST;
        ::unlink(infoPath.constData());
        if (!nameTaken) {
            return Outcome::Failed;
        }
    }
    return Outcome::Failed;
}
