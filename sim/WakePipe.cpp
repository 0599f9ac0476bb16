#include "WakePipe.h"

#include <fcntl.h>
#include <unistd.h>

namespace sim {

WakePipe::WakePipe() {
    int ends[2];
    if (::pipe2(ends, O_NONBLOCK | O_CLOEXEC) == 0) {
        readEnd_ = ends[0];
        writeEnd_ = ends[1];
    }
}

WakePipe::~WakePipe() {
    if (readEnd_ >= 0) {
        ::close(readEnd_);
        ::close(writeEnd_);
    }
}

void WakePipe::wake() {
    const char byte = 1;
    // A full pipe already holds a wake-up, so a failed write loses nothing.
    [[maybe_unused]] const ssize_t written = ::write(writeEnd_, &byte, 1);
}

void WakePipe::drain() {
    char buffer[64];
    while (::read(readEnd_, buffer, sizeof buffer) > 0) {
    }
}

}  // namespace sim
