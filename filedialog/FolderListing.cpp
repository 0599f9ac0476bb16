#include "FolderListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <mntent.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCollator>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSet>
#include <algorithm>
#include <cstring>
#include <memory>
#include <numeric>

#include "FileNameRules.h"

namespace {

struct DirectoryCloser {
    void operator()(DIR* directory) const { closedir(directory); }
};
using DirectoryHandle = std::unique_ptr<DIR, DirectoryCloser>;

bool isDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// d_type spares a stat call per item; links and file systems without it need one.
bool isFolderItem(int directoryFd, const dirent* item) {
    if (item->d_type == DT_DIR) {
        return true;
    }
    if (item->d_type != DT_LNK && item->d_type != DT_UNKNOWN) {
        return false;
    }
    struct stat status {};
    return fstatat(directoryFd, item->d_name, &status, 0) == 0 && S_ISDIR(status.st_mode);
}

// The filter is checked on the raw bytes of the extension, so the 90 % of names a filtered
// folder drops are never turned into strings. An ASCII filter, the usual case, needs no
// decoding at all.
class ExtensionFilter {
  public:
    ExtensionFilter(const QString& filterExtension, quint32 flags)
        : filterExtension_(filterExtension),
          takesAll_(filterExtension == FileNameRules::AnyExtension),
          takesNone_(!takesAll_ && filterExtension.size() < 2),
          ascii_(isAscii(filterExtension) ? filterExtension.toLatin1() : QByteArray()),
          flags_(flags) {}

    bool takes(bool isFolder, const char* name) const {
        if (name[0] == '.' && !(flags_ & FolderListing::IncludeHidden)) {
            return false;
        }
        if (isFolder) {
            return (flags_ & FolderListing::Folders) != 0;
        }
        return (flags_ & FolderListing::NonFolders) != 0 && extensionPasses(name);
    }

  private:
    static bool isAscii(const QString& text) {
        return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    }

    bool extensionPasses(const char* name) const {
        if (takesAll_ || takesNone_) {
            return takesAll_;
        }
        const char* dot = std::strrchr(name, '.');
        if (dot == nullptr || dot == name) {
            return false;
        }
        if (!ascii_.isEmpty()) {
            return strcasecmp(dot, ascii_.constData()) == 0;
        }
        return FileNameRules::extensionMatchesFilter(QFile::decodeName(dot), filterExtension_);
    }

    QString filterExtension_;
    bool takesAll_;
    bool takesNone_;
    QByteArray ascii_;
    quint32 flags_;
};

// The desktop's file managers hide the names listed in a folder's ".hidden" file; Linux has no
// hidden attribute of its own. The file is read only when it is a regular file, and only its
// first 64 KiB.
QSet<QByteArray> namesHiddenIn(int directoryFd) {
    constexpr qsizetype MaximumBytes = 64 * 1024;
    QSet<QByteArray> names;
    const int fd = openat(directoryFd, ".hidden", O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return names;
    }
    struct stat status {};
    QByteArray content;
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        content.resize(MaximumBytes);
        const ssize_t count = read(fd, content.data(), static_cast<size_t>(MaximumBytes));
        content.resize(count > 0 ? count : 0);
    }
    close(fd);
    for (const QByteArray& line : content.split('\n')) {
        if (!line.isEmpty()) {
            names.insert(line);
        }
    }
    return names;
}

QCollator naturalCollator() {
    // The C locale's collator compares code points only; fall back to the root order, which
    // still sorts numbers by value.
    QLocale locale;
    if (locale.language() == QLocale::C) {
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    }
    QCollator collator(locale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

}  // namespace

std::vector<ShellEntry> FolderListing::enumerate(const FolderLocation& folder,
                                                 const QString& filterExtension, quint32 flags) {
    std::vector<ShellEntry> entries;
    if (folder.path() == FolderLocation::ComputerPath) {
        entries = enumerateVolumes(flags);
    } else if (!folder.isVirtual()) {
        entries = enumerateDirectory(folder.nativePath(), filterExtension, flags);
    }
    sortEntries(entries);
    return entries;
}

std::vector<ShellEntry> FolderListing::enumerateDirectory(const QByteArray& path,
                                                          const QString& filterExtension,
                                                          quint32 flags) {
    std::vector<ShellEntry> entries;
    const DirectoryHandle directory(opendir(path.constData()));
    if (!directory) {
        return entries;
    }
    const int directoryFd = dirfd(directory.get());
    const ExtensionFilter filter(filterExtension, flags);
    const QSet<QByteArray> hidden =
        (flags & IncludeHidden) ? QSet<QByteArray>() : namesHiddenIn(directoryFd);
    while (const dirent* item = readdir(directory.get())) {
        if (isDotOrDotDot(item->d_name) || (!hidden.isEmpty() && hidden.contains(item->d_name))) {
            continue;
        }
        const bool isFolder = isFolderItem(directoryFd, item);
        if (!filter.takes(isFolder, item->d_name)) {
            continue;
        }
        ShellEntry entry;
        entry.fileName = QByteArray(item->d_name);
        entry.name = FileNameRules::shownName(QFile::decodeName(entry.fileName));
        entry.isFolder = isFolder;
        entries.push_back(std::move(entry));
    }
    return entries;
}

bool FolderListing::isRemoteFileSystem(const QByteArray& type) {
    static const QSet<QByteArray> networkTypes = {"nfs",       "nfs4",   "cifs",  "smb3", "smbfs",
                                                  "ncpfs",     "afs",    "coda",  "9p",   "ceph",
                                                  "glusterfs", "lustre", "davfs", "ocfs2"};
    return networkTypes.contains(type) || type == "fuse" || type.startsWith("fuse.") ||
           type.startsWith("fuseblk");
}

// The mount table is read directly: asking each volume for its details would wait on every
// network server behind it.
std::vector<ShellEntry> FolderListing::enumerateVolumes(quint32 flags) {
    if (!(flags & Folders)) {
        return {};
    }
    QStringList localRoots;
    QStringList remoteRoots;
    if (FILE* table = setmntent("/proc/self/mounts", "re")) {
        while (const mntent* mount = getmntent(table)) {
            const QString root = QFile::decodeName(mount->mnt_dir);
            (isRemoteFileSystem(mount->mnt_type) ? remoteRoots : localRoots) << root;
        }
        endmntent(table);
    }
    return volumeEntries(localRoots, remoteRoots);
}

std::vector<ShellEntry> FolderListing::volumeEntries(const QStringList& localRoots,
                                                     const QStringList& remoteRoots) {
    std::vector<ShellEntry> entries;
    QSet<QString> seen;
    const QSet<QString> remote(remoteRoots.begin(), remoteRoots.end());
    for (const QString& root : QStringList{QStringLiteral("/")} + localRoots + remoteRoots) {
        // Containers bind single files (hosts, resolv.conf); only folders can be opened.
        if (seen.contains(root) || (!remote.contains(root) && !QFileInfo(root).isDir())) {
            continue;
        }
        seen.insert(root);
        ShellEntry entry;
        entry.name = root;
        entry.fileName = QFile::encodeName(root);
        entry.isFolder = true;
        entries.push_back(std::move(entry));
    }
    return entries;
}

void FolderListing::sortEntries(std::vector<ShellEntry>& entries) {
    const QCollator collator = naturalCollator();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(entries.size());
    for (const ShellEntry& entry : entries) {
        keys.push_back(collator.sortKey(entry.name));
    }
    std::vector<std::size_t> order(entries.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (entries[a].isFolder != entries[b].isFolder) {
            return entries[a].isFolder;
        }
        const int byCollation = keys[a].compare(keys[b]);
        if (byCollation != 0) {
            return byCollation < 0;
        }
        return entries[a].fileName < entries[b].fileName;
    });
    std::vector<ShellEntry> sorted;
    sorted.reserve(entries.size());
    for (const std::size_t index : order) {
        sorted.push_back(std::move(entries[index]));
    }
    entries = std::move(sorted);
}
