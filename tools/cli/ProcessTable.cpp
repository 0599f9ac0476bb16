#include "ProcessTable.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <functional>

namespace {

// Bounds on what one look at /proc may cost, however many processes and files there are.
constexpr std::size_t MaxProcesses = 100000;
constexpr std::size_t MaxFilesPerProcess = 65536;

bool IsNumber(const char* name) {
    if (*name == '\0') {
        return false;
    }
    for (; *name != '\0'; ++name) {
        if (*name < '0' || *name > '9') {
            return false;
        }
    }
    return true;
}

// Calls visit with each process id in /proc, up to the bound.
void EachProcess(const std::function<void(pid_t)>& visit) {
    DIR* proc = opendir("/proc");
    if (proc == nullptr) {
        return;
    }
    std::size_t seen = 0;
    while (const dirent* entry = readdir(proc)) {
        if (IsNumber(entry->d_name) && ++seen <= MaxProcesses) {
            visit(static_cast<pid_t>(std::stol(entry->d_name)));
        }
    }
    closedir(proc);
}

std::string CommandName(pid_t pid) {
    std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(comm, name);
    return name.substr(0, 15);
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// True when a descriptor of pid refers to the file; false also when none could be read.
bool HoldsFile(pid_t pid, const struct stat& file, bool& readable) {
    const std::string folder = "/proc/" + std::to_string(pid) + "/fd";
    DIR* fds = opendir(folder.c_str());
    readable = fds != nullptr;
    if (fds == nullptr) {
        return false;
    }
    bool holds = false;
    std::size_t seen = 0;
    while (const dirent* entry = readdir(fds)) {
        if (!IsNumber(entry->d_name) || ++seen > MaxFilesPerProcess) {
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
    EachProcess([&](pid_t pid) {
        if (pid == self) {
            return;
        }
        bool readable = true;
        if (HoldsFile(pid, file, readable)) {
            holders.push_back({pid, CommandName(pid)});
        }
        complete = complete && readable;
    });
    return holders;
}

std::vector<ProcessTable::Process> ProcessTable::Named(const std::vector<std::string>& names) {
    std::vector<Process> found;
    EachProcess([&](pid_t pid) {
        const std::string name = CommandName(pid);
        if (std::find(names.begin(), names.end(), name) != names.end()) {
            found.push_back({pid, name});
        }
    });
    return found;
}
