#include "OutputQueue.h"

#include <unistd.h>

#include <cerrno>

namespace sim {

bool OutputQueue::push(std::string bytes, std::chrono::milliseconds pauseBetweenBytes,
                       Clock::time_point now) {
    if (bytes.empty()) {
        return true;
    }
    if (queuedBytes_ + bytes.size() > MaxQueuedBytes) {
        return false;
    }
    if (chunks_.empty()) {
        due_ = now;
    }
    queuedBytes_ += bytes.size();
    chunks_.push_back({std::move(bytes), 0, pauseBetweenBytes});
    return true;
}

std::optional<OutputQueue::Clock::time_point> OutputQueue::nextDue() const {
    if (chunks_.empty()) {
        return std::nullopt;
    }
    return due_;
}

bool OutputQueue::writeTo(int fd, Clock::time_point now) {
    while (!chunks_.empty() && now >= due_) {
        Chunk& chunk = chunks_.front();
        const bool paced = chunk.pause.count() > 0;
        const std::size_t wanted = paced ? 1 : chunk.bytes.size() - chunk.sent;
        const ssize_t n = ::write(fd, chunk.bytes.data() + chunk.sent, wanted);
        if (n < 0) {
            return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
        }
        chunk.sent += static_cast<std::size_t>(n);
        queuedBytes_ -= static_cast<std::size_t>(n);
        const bool chunkDone = chunk.sent == chunk.bytes.size();
        if (paced && !chunkDone) {
            due_ = now + chunk.pause;
        }
        if (chunkDone) {
            chunks_.pop_front();
        }
        if (static_cast<std::size_t>(n) < wanted) {
            return true;  // the line is full; poll says when it takes more
        }
    }
    return true;
}

void OutputQueue::clear() {
    chunks_.clear();
    queuedBytes_ = 0;
}

}  // namespace sim
