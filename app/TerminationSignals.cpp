#include "TerminationSignals.h"

#include <fcntl.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <csignal>

namespace {

// The pipe's ends; the signal handler may only touch what is async-signal-safe.
int requestPipe[2] = {-1, -1};
std::atomic<bool> pipeTaken{false};
volatile sig_atomic_t requestMade = 0;

// A second signal means the first one found the program stuck: it ends at once.
extern "C" void WriteRequestByte(int signal) {
    if (requestMade != 0) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    requestMade = 1;
    const int savedErrno = errno;
    const char byte = 1;
    // A full pipe already holds a request: the byte may be dropped.
    [[maybe_unused]] const ssize_t written = write(requestPipe[1], &byte, 1);
    errno = savedErrno;
}

}  // namespace

TerminationSignals::TerminationSignals() {
    if (pipeTaken.exchange(true)) {
        return;
    }
    if (pipe2(requestPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        pipeTaken = false;
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(requestPipe[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        DrainPipe();
        emit Requested();
    });
    struct sigaction action = {};
    action.sa_handler = WriteRequestByte;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t index = 0; index < std::size(HandledSignals); ++index) {
        sigaction(HandledSignals[index], &action, &previous_[index]);
    }
    requestMade = 0;
    installed_ = true;
}

TerminationSignals::~TerminationSignals() {
    if (!installed_) {
        return;
    }
    for (std::size_t index = 0; index < std::size(HandledSignals); ++index) {
        sigaction(HandledSignals[index], &previous_[index], nullptr);
    }
    notifier_.reset();
    close(requestPipe[0]);
    close(requestPipe[1]);
    requestPipe[0] = requestPipe[1] = -1;
    pipeTaken = false;
}

void TerminationSignals::DrainPipe() {
    char bytes[16];
    while (read(requestPipe[0], bytes, sizeof bytes) > 0) {
    }
}
