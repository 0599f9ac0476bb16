#include "ProcessTable.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <functional>

#include "HostPlaces.h"
#include "ProcessFolder.h"

namespace {

// Bound on what one look at a process's open files may cost, however many it has.
constexpr std::size_t MaxFilesPerProcess = 65536;

std::string ProcRoot() {
    return host_places::Current().procRoot;
}

std::string CommandName(pid_t pid) {
    return process_folder::CommandName(ProcRoot(), pid);
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// True when a descriptor of pid refers to the file; false also when none could be read.
bool HoldsFile(pid_t pid, const struct stat& file, bool& readable) {
    const std::string folder = ProcRoot() + "/" + std::to_string(pid) + "/fd";
    DIR* fds = opendir(folder.c_str());
    readable = fds != nullptr;
    if (fds == nullptr) {
        return false;
    }
    bool holds = false;
    std::size_t seen = 0;
    while (const dirent* entry = readdir(fds)) {
        if (!process_folder::IsNumber(entry->d_name) || ++seen > MaxFilesPerProcess) {
            continue;
        }
        struct stat open {};
        if (stat((folder + "/" + entry->d_name).c_str(), &open) == 0 && SameFile(open, file)) {
            holds = true;
            break;
        }
    }
    closedir(fds);
    return holds;
}

}  // namespace

std::vector<ProcessTable::Process> ProcessTable::Holding(const std::string& path, bool& complete) {
    complete = true;
    std::vector<Process> holders;
    struct stat file {};
    if (stat(path.c_str(), &file) != 0) {
        return holders;
    }
    const pid_t self = getpid();
    process_folder::EachProcess(ProcRoot(), [&](pid_t pid) {
        if (pid == self) {
            return true;
        }
        bool readable = true;
        if (HoldsFile(pid, file, readable)) {
            holders.push_back({pid, CommandName(pid)});
        }
        complete = complete && readable;
        return true;
    });
    return holders;
}

ProcessTable::Process ProcessTable::Of(pid_t pid) {
    return {pid, CommandName(pid)};
}

std::vector<ProcessTable::Process> ProcessTable::Named(const std::vector<std::string>& names) {
    std::vector<Process> found;
    process_folder::EachProcess(ProcRoot(), [&](pid_t pid) {
        const std::string name = CommandName(pid);
        if (std::find(names.begin(), names.end(), name) != names.end()) {
            found.push_back({pid, name});
        }
        return true;
    });
    return found;
}
