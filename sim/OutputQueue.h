// Bytes on their way to the PC, written without blocking the serving thread.
//
// A PC that stops reading must not stall the unit: what the pseudo-terminal does not take now
// waits here while the unit keeps reading commands. A reply may ask for a pause between its
// bytes, as a slow line gives them. The queue is bounded; a reply that would overflow it is
// dropped, as a unit with a full transmit buffer would.
#pragma once

#include <chrono>
#include <deque>
#include <optional>
#include <string>

namespace sim {

class OutputQueue {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::size_t MaxQueuedBytes = 4 * 1024 * 1024;

    // False when the bytes were dropped because the queue is full.
    bool push(std::string bytes, std::chrono::milliseconds pauseBetweenBytes,
              Clock::time_point now);
    bool empty() const { return chunks_.empty(); }
    // When the next byte may go out; nothing while the queue is empty.
    std::optional<Clock::time_point> nextDue() const;
    // Writes what is due to fd; false on a write error other than a full line.
    bool writeTo(int fd, Clock::time_point now);
    void clear();

  private:
    struct Chunk {
        std::string bytes;
        std::size_t sent = 0;
        std::chrono::milliseconds pause{0};
    };

    std::deque<Chunk> chunks_;
    std::size_t queuedBytes_ = 0;
    Clock::time_point due_{};
};

}  // namespace sim
