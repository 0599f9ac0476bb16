#include "WaitingChild.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

namespace test_support {
namespace {

constexpr unsigned ChildLifetimeSeconds = 60;

}  // namespace

// The child reports its set-up through one pipe and then waits on the other until the parent
// closes its end.
WaitingChild::WaitingChild(const std::function<bool()>& setUp) {
    int readyPipe[2];
    int releasePipe[2];
    if (pipe2(readyPipe, O_CLOEXEC) != 0 || pipe2(releasePipe, O_CLOEXEC) != 0) {
        throw std::runtime_error("cannot make pipes");
    }
    pid_ = fork();
    if (pid_ == 0) {
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
    release_ = releasePipe[1];
    char result = '0';
    ready_ = pid_ > 0 && read(readyPipe[0], &result, 1) == 1 && result == '1';
    close(readyPipe[0]);
}

WaitingChild::~WaitingChild() {
    if (release_ >= 0) {
        close(release_);
    }
    if (pid_ > 0) {
        waitpid(pid_, nullptr, 0);
    }
}

pid_t EndedProcessId() {
    const pid_t pid = fork();
    if (pid == 0) {
        _exit(0);
    }
    waitpid(pid, nullptr, 0);
    return pid;
}

}  // namespace test_support
