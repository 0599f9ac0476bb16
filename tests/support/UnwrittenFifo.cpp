#include "UnwrittenFifo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>

namespace test_support {

UnwrittenFifo::UnwrittenFifo(std::string path, std::chrono::milliseconds deadline)
    : path_(std::move(path)) {
    if (::mkfifo(path_.c_str(), 0644) != 0) {
        throw std::runtime_error("cannot create the FIFO " + path_);
    }
    watchdog_ = std::thread([this, deadline] { releaseAfter(deadline); });
}

UnwrittenFifo::~UnwrittenFifo() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        done_ = true;
    }
    finished_.notify_all();
    // A watchdog already opening its writer waits for a reader: this one lets it through.
    const int reader = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    watchdog_.join();
    if (reader >= 0) {
        ::close(reader);
    }
    ::unlink(path_.c_str());
}

bool UnwrittenFifo::readerWasReleased() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return released_;
}

void UnwrittenFifo::releaseAfter(std::chrono::milliseconds deadline) {
    {
        std::unique_lock<std::mutex> lock(mutex_);
        if (finished_.wait_for(lock, deadline, [this] { return done_; })) {
            return;
        }
    }
    // Every reader from now on is released: each open waits for one, a stuck one under test or
    // at last the destructor's.
    for (;;) {
        const int writer = ::open(path_.c_str(), O_WRONLY | O_CLOEXEC);
        if (writer >= 0) {
            ::close(writer);
        }
        const std::lock_guard<std::mutex> lock(mutex_);
        if (done_) {
            return;
        }
        released_ = true;
    }
}

}  // namespace test_support
