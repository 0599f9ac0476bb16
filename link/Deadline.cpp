#include "Deadline.h"

#include <climits>

Deadline::Deadline(uint32_t milliseconds, Clock::time_point start)
    : end_(start + std::chrono::milliseconds(milliseconds)) {}

int Deadline::remainingMs(Clock::time_point now) const {
    if (now >= end_) {
        return 0;
    }
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(end_ - now).count();
    return left > INT_MAX ? INT_MAX : static_cast<int>(left);
}

bool Deadline::passed(Clock::time_point now) const {
    return now >= end_;
}

uint32_t TickMilliseconds() {
    const auto sinceEpoch = std::chrono::duration_cast<std::chrono::milliseconds>(
        Deadline::Clock::now().time_since_epoch());
    return static_cast<uint32_t>(sinceEpoch.count());
}
