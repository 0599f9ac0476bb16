#include "PortUsers.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace test_support {
namespace {

constexpr unsigned ChildLifetimeSeconds = 60;

// Forks a child that runs `setUp` (async-signal-safe calls only), reports its result through
// a pipe and then waits until the parent closes `release`.
template <typename SetUp>
pid_t ForkWaitingChild(int& release, bool& ready, SetUp setUp) {
    int readyPipe[2];
    int releasePipe[2];
    if (pipe2(readyPipe, O_CLOEXEC) != 0 || pipe2(releasePipe, O_CLOEXEC) != 0) {
        throw std::runtime_error("cannot make pipes");
    }
    const pid_t pid = fork();
    if (pid == 0) {
        alarm(ChildLifetimeSeconds);  // ends the child even if the test never lets go
        close(readyPipe[0]);
        close(releasePipe[1]);
        const char result = setUp() ? '1' : '0';
        (void)!write(readyPipe[1], &result, 1);
        char byte = 0;
        (void)!read(releasePipe[0], &byte, 1);  // returns once the parent closes its end
        _exit(0);
    }
    close(readyPipe[1]);
    close(releasePipe[0]);
    release = releasePipe[1];
    char result = '0';
    ready = pid > 0 && read(readyPipe[0], &result, 1) == 1 && result == '1';
    close(readyPipe[0]);
    return pid;
}

void EndChild(pid_t pid, int release) {
    if (release >= 0) {
        close(release);
    }
    if (pid > 0) {
        waitpid(pid, nullptr, 0);
    }
}

}  // namespace

TerminalSession::TerminalSession(const std::string& terminalPath) {
    pid_ = ForkWaitingChild(release_, started_, [&terminalPath] {
        if (setsid() < 0) {
            return false;
        }
        const int fd = open(terminalPath.c_str(), O_RDWR | O_NOCTTY);
        return fd >= 0 && ioctl(fd, TIOCSCTTY, 0) == 0;
    });
}

TerminalSession::~TerminalSession() {
    EndChild(pid_, release_);
}

LivingProcess::LivingProcess() {
    bool ready = false;
    pid_ = ForkWaitingChild(release_, ready, [] { return true; });
}

LivingProcess::~LivingProcess() {
    EndChild(pid_, release_);
}

pid_t EndedProcessId() {
    const pid_t pid = fork();
    if (pid == 0) {
        _exit(0);
    }
    waitpid(pid, nullptr, 0);
    return pid;
}

void WriteLockFile(const std::string& path, pid_t owner, bool binary) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (binary) {
        const int32_t id = owner;
        file.write(reinterpret_cast<const char*>(&id), sizeof id);
    } else {
        char text[16];
        std::snprintf(text, sizeof text, "%10d\n", static_cast<int>(owner));
        file << text;
    }
    if (!file) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

}  // namespace test_support
