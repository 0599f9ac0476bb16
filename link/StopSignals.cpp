#include "StopSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>

namespace {

// The handler may only touch what is async-signal-safe.
int stopPipe[2] = {-1, -1};
std::atomic<bool> pipeTaken{false};
volatile sig_atomic_t stopRequested = 0;

// A second signal means the first one found the owner stuck: it ends at once.
extern "C" void WriteStopByte(int signal) {
    if (stopRequested != 0) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    stopRequested = 1;
    const int savedErrno = errno;
    const char byte = 1;
    // A full pipe already holds a request: the byte may be dropped.
    [[maybe_unused]] const ssize_t written = write(stopPipe[1], &byte, 1);
    errno = savedErrno;
}

}  // namespace

StopSignals::StopSignals() {
    if (pipeTaken.exchange(true)) {
        return;
    }
    if (pipe2(stopPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        pipeTaken = false;
        return;
    }
    stopRequested = 0;
    struct sigaction action = {};
    action.sa_handler = WriteStopByte;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t index = 0; index < std::size(HandledSignals); ++index) {
        sigaction(HandledSignals[index], &action, &previous_[index]);
    }
    installed_ = true;
}

StopSignals::~StopSignals() {
    if (!installed_) {
        return;
    }
    for (std::size_t index = 0; index < std::size(HandledSignals); ++index) {
        sigaction(HandledSignals[index], &previous_[index], nullptr);
    }
    close(stopPipe[0]);
    close(stopPipe[1]);
    stopPipe[0] = stopPipe[1] = -1;
    pipeTaken = false;
}

int StopSignals::Descriptor() const {
    return installed_ ? stopPipe[0] : -1;
}

void StopSignals::Drain() const {
    if (!installed_) {
        return;
    }
    char bytes[16];
    while (read(stopPipe[0], bytes, sizeof bytes) > 0) {
    }
}
