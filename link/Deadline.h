// Millisecond deadlines on the monotonic clock. A wait cut short by a signal asks the same
// deadline again for what is left, so the signal neither shortens nor stretches the wait.
#pragma once

#include <chrono>
#include <cstdint>

class Deadline {
  public:
    using Clock = std::chrono::steady_clock;

    explicit Deadline(uint32_t milliseconds, Clock::time_point start = Clock::now());

    // Milliseconds left, rounded up so that a wait never ends before the deadline; 0 once
    // passed. Fits poll()'s int argument for every uint32_t deadline.
    int remainingMs(Clock::time_point now = Clock::now()) const;
    bool passed(Clock::time_point now = Clock::now()) const;

  private:
    Clock::time_point end_;
};

// A millisecond tick for elapsed-time comparisons (wraps like a 32-bit tick count).
uint32_t TickMilliseconds();
