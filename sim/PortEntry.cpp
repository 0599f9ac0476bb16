#include "PortEntry.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace sim {
namespace {

std::string LinkTarget(const std::string& path) {
    std::array<char, 4096> buffer{};
    const ssize_t length = ::readlink(path.c_str(), buffer.data(), buffer.size() - 1);
    return length < 0 ? std::string() : std::string(buffer.data(), std::size_t(length));
}

// A name for the new link beside COMn, unique between the units of this process and others.
std::string TemporaryName(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + ".new." + std::to_string(::getpid()) + "." + std::to_string(++counter);
}

}  // namespace

std::string PortEntry::resolveFolder(const std::string& configured) {
    if (!configured.empty()) {
        return configured;
    }
    const char* fromEnvironment = std::getenv(FolderVariable);
    return fromEnvironment == nullptr ? std::string() : std::string(fromEnvironment);
}

std::string PortEntry::entryPath(const std::string& folder, unsigned portNumber) {
    if (folder.empty()) {
        return {};
    }
    return folder + "/COM" + std::to_string(portNumber);
}

PortEntry::~PortEntry() {
    remove();
}

bool PortEntry::publish(const std::string& folder, unsigned portNumber, const std::string& target) {
    remove();
    error_.clear();
    const std::string path = entryPath(folder, portNumber);
    struct stat existing {};
    if (::lstat(path.c_str(), &existing) == 0 && !S_ISLNK(existing.st_mode)) {
        error_ = path + " exists and is not a symbolic link";
        return false;
    }
    const std::string temporary = TemporaryName(path);
    if (::symlink(target.c_str(), temporary.c_str()) != 0) {
        error_ = "cannot create a link in " + folder + ": " + std::strerror(errno);
        return false;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        error_ = "cannot publish " + path + ": " + std::strerror(errno);
        ::unlink(temporary.c_str());
        return false;
    }
    path_ = path;
    target_ = target;
    return true;
}

void PortEntry::remove() {
    if (path_.empty()) {
        return;
    }
    if (LinkTarget(path_) == target_) {
        ::unlink(path_.c_str());
    }
    path_.clear();
    target_.clear();
}

}  // namespace sim
