#include "UucpLock.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "HostPlaces.h"
#include "ProcessFolder.h"

namespace uucp_lock {
namespace {

// A lock file holds a dozen bytes; more is not one.
constexpr std::size_t MaxContentBytes = 64;
constexpr std::size_t BinaryOwnerBytes = 4;
constexpr int RetriesAfterStale = 2;

std::optional<std::string> ReadContent(const std::string& path, int& error) {
    const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return std::nullopt;
    }
    std::string content(MaxContentBytes, '\0');
    const ssize_t count = read(fd, content.data(), content.size());
    error = count < 0 ? errno : 0;
    close(fd);
    if (count < 0) {
        return std::nullopt;
    }
    content.resize(static_cast<std::size_t>(count));
    return content;
}

// A process that has ended but not yet been collected holds no port any more.
bool Lives(pid_t pid) {
    return (kill(pid, 0) == 0 || errno == EPERM) &&
           !process_folder::IsZombie(host_places::Current().procRoot, pid);
}

// The lock folders that exist, each once however it is reached (/var/lock is often a link to
// /run/lock).
std::vector<std::string> ExistingLockFolders() {
    std::vector<std::string> folders;
    std::vector<std::pair<dev_t, ino_t>> seen;
    for (const std::string& folder : host_places::Current().lockFolders) {
        struct stat info {};
        if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
            continue;
        }
        const std::pair<dev_t, ino_t> identity{info.st_dev, info.st_ino};
        bool known = false;
        for (const auto& other : seen) {
            known = known || other == identity;
        }
        if (!known) {
            seen.push_back(identity);
            folders.push_back(folder);
        }
    }
    return folders;
}

// Removes a stale lock file, unless it changed since it was read (another program may have
// replaced it meanwhile). Failing to remove it is no failure: it blocks nobody.
void RemoveStale(const std::string& path, const std::string& contentSeen) {
    int error = 0;
    const auto content = ReadContent(path, error);
    if (content && *content == contentSeen) {
        unlink(path.c_str());
    }
}

// The live owner of one lock file; nothing when there is no file or its owner has ended.
std::optional<Holder> LiveOwnerOf(const std::string& path) {
    int error = 0;
    const auto content = ReadContent(path, error);
    if (!content) {
        if (error == ENOENT) {
            return std::nullopt;
        }
        return Holder{0, path};  // there, but unreadable: someone's, to be safe
    }
    const auto owner = ParseOwner(*content);
    if (!owner) {
        return Holder{0, path};
    }
    if (Lives(*owner)) {
        return Holder{*owner, path};
    }
    RemoveStale(path, *content);
    return std::nullopt;
}

std::string OwnContent() {
    char text[16];
    std::snprintf(text, sizeof text, "%10d\n", static_cast<int>(getpid()));
    return text;
}

// Our lock file's content in a file of its own beside the lock file, so that the lock file
// appears whole, by a link, or not at all.
std::optional<std::string> WriteTemporary(const std::string& folder) {
    static std::atomic<unsigned> counter{0};
    const std::string path =
        folder + "/LTMP." + std::to_string(getpid()) + "." + std::to_string(counter.fetch_add(1));
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) {
        return std::nullopt;
    }
    const std::string content = OwnContent();
    const bool whole =
        write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size()) &&
        fchmod(fd, 0644) == 0;
    if (close(fd) != 0 || !whole) {
        unlink(path.c_str());
        return std::nullopt;
    }
    return path;
}

Outcome LinkInPlace(const std::string& temporary, const std::string& lockPath) {
    for (int attempt = 0; attempt <= RetriesAfterStale; ++attempt) {
        if (link(temporary.c_str(), lockPath.c_str()) == 0) {
            return Outcome::Taken;
        }
        if (errno != EEXIST) {
            return Outcome::Skipped;  // a folder that takes no links tells nobody anything
        }
        if (LiveOwnerOf(lockPath)) {
            return Outcome::Held;
        }
    }
    // Only stale files stood in the way, and one would not go: it blocks nobody, us neither.
    return Outcome::Skipped;
}

}  // namespace

std::string LockFileName(const std::string& devicePath) {
    char* resolved = realpath(devicePath.c_str(), nullptr);
    std::string node = resolved != nullptr ? resolved : devicePath;
    std::free(resolved);
    static const std::string DeviceFolder = "/dev/";
    if (node.compare(0, DeviceFolder.size(), DeviceFolder) == 0) {
        node.erase(0, DeviceFolder.size());
    } else {
        node.erase(0, node.rfind('/') + 1);
    }
    for (char& c : node) {
        c = c == '/' ? '_' : c;
    }
    return "LCK.." + node;
}

std::optional<pid_t> ParseOwner(const std::string& content) {
    const bool ascii = content.find_first_not_of(" \t\n0123456789") == std::string::npos;
    if (!ascii && content.size() == BinaryOwnerBytes) {
        int32_t owner = 0;
        std::memcpy(&owner, content.data(), sizeof owner);
        return owner > 0 ? std::optional<pid_t>(owner) : std::nullopt;
    }
    char* end = nullptr;
    const long owner = ascii ? std::strtol(content.c_str(), &end, 10) : 0;
    if (owner <= 0 || owner > INT_MAX ||
        content.find_first_of("0123456789", end - content.c_str()) != std::string::npos) {
        return std::nullopt;
    }
    return static_cast<pid_t>(owner);
}

std::optional<Holder> LiveHolder(const std::string& devicePath) {
    const std::string name = LockFileName(devicePath);
    for (const std::string& folder : ExistingLockFolders()) {
        if (auto holder = LiveOwnerOf(folder + "/" + name)) {
            return holder;
        }
    }
    return std::nullopt;
}

Outcome Take(const std::string& devicePath, std::string& lockFile) {
    lockFile.clear();
    if (LiveHolder(devicePath)) {
        return Outcome::Held;
    }
    const auto folders = ExistingLockFolders();
    if (folders.empty()) {
        return Outcome::Skipped;
    }
    const auto temporary = WriteTemporary(folders.front());
    if (!temporary) {
        return Outcome::Skipped;
    }
    const std::string lockPath = folders.front() + "/" + LockFileName(devicePath);
    const Outcome outcome = LinkInPlace(*temporary, lockPath);
    unlink(temporary->c_str());
    if (outcome == Outcome::Taken) {
        lockFile = lockPath;
    }
    return outcome;
}

void Release(const std::string& lockFile) {
    if (lockFile.empty()) {
        return;
    }
    int error = 0;
    const auto content = ReadContent(lockFile, error);
    if (content && *content == OwnContent()) {
        unlink(lockFile.c_str());
    }
}

}  // namespace uucp_lock
