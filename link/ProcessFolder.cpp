#include "ProcessFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace process_folder {
namespace {

// Bounds on what one walk may cost.
constexpr std::size_t MaxProcesses = 100000;
// The fields up to the terminal's fit well within this: the command name has at most 15
// bytes and the numbers before it at most 11 characters each.
constexpr std::size_t StatPrefixBytes = 512;
constexpr std::size_t CommandNameBytes = 15;

// The start of a small file of the process folder; empty when it cannot be read.
std::string ReadPrefix(const std::string& path, std::size_t limit) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return {};
    }
    std::string text(limit, '\0');
    const ssize_t count = read(fd, text.data(), limit);
    close(fd);
    text.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
    return text;
}

std::string ProcessFile(const std::string& procRoot, pid_t pid, const char* name) {
    return procRoot + "/" + std::to_string(pid) + "/" + name;
}

// The kernel's encoding of a device number in the stat file's terminal field.
dev_t DecodeTerminalNumber(unsigned long long encoded) {
    const auto major = static_cast<unsigned>((encoded >> 8) & 0xfff);
    const auto minor = static_cast<unsigned>((encoded & 0xff) | ((encoded >> 12) & 0xfff00));
    return makedev(major, minor);
}

}  // namespace

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

void EachProcess(const std::string& procRoot, const std::function<bool(pid_t)>& visit) {
    DIR* folder = opendir(procRoot.c_str());
    if (folder == nullptr) {
        return;
    }
    std::size_t seen = 0;
    while (const dirent* entry = readdir(folder)) {
        if (!IsNumber(entry->d_name)) {
            continue;
        }
        if (++seen > MaxProcesses ||
            !visit(static_cast<pid_t>(std::strtol(entry->d_name, nullptr, 10)))) {
            break;
        }
    }
    closedir(folder);
}

std::string CommandName(const std::string& procRoot, pid_t pid) {
    std::string name = ReadPrefix(ProcessFile(procRoot, pid, "comm"), CommandNameBytes + 1);
    const auto end = name.find('\n');
    name.resize(std::min({end, name.size(), CommandNameBytes}));
    return name;
}

std::optional<dev_t> ControllingTerminal(const std::string& statText) {
    const auto nameEnd = statText.rfind(')');
    if (nameEnd == std::string::npos) {
        return std::nullopt;
    }
    // After the name: state, parent, process group, session, terminal.
    std::istringstream fields(statText.substr(nameEnd + 1));
    std::string state;
    long long parent = 0;
    long long group = 0;
    long long session = 0;
    long long terminal = 0;
    if (!(fields >> state >> parent >> group >> session >> terminal) || terminal == 0) {
        return std::nullopt;
    }
    // The kernel prints the field as a signed int; its bits are the encoding.
    return DecodeTerminalNumber(static_cast<unsigned long long>(terminal) & 0xffffffffULL);
}

bool IsZombie(const std::string& procRoot, pid_t pid) {
    const std::string stat = ReadPrefix(ProcessFile(procRoot, pid, "stat"), StatPrefixBytes);
    const auto nameEnd = stat.rfind(')');
    return nameEnd != std::string::npos && stat.compare(nameEnd, 3, ") Z") == 0;
}

std::optional<pid_t> ProcessWithTerminal(const std::string& procRoot, dev_t device) {
    std::optional<pid_t> found;
    EachProcess(procRoot, [&](pid_t pid) {
        const auto terminal =
            ControllingTerminal(ReadPrefix(ProcessFile(procRoot, pid, "stat"), StatPrefixBytes));
        if (terminal && *terminal == device) {
            found = pid;
        }
        return !found;
    });
    return found;
}

}  // namespace process_folder
