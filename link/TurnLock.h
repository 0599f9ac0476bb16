// A lock that goes to the threads waiting for it in the order they asked. The reader takes
// PortLock again the moment it lets go of it (one connection search after the other, one query
// after the other); a plain mutex would let it win every time, and a command the writer has
// already taken would wait through failed searches until one finds a unit, possibly another
// unit than the one the user set it for. With turns, a waiting writer always goes next.
//
// Meets the standard's Lockable requirements, so std::lock_guard and std::unique_lock take it.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

class TurnLock {
  public:
    TurnLock() = default;
    TurnLock(const TurnLock&) = delete;
    TurnLock& operator=(const TurnLock&) = delete;

    void lock();
    // Takes the lock only when it is free and nobody waits for it.
    bool try_lock();
    void unlock();

  private:
    std::mutex lock_;  // guards the two counters only, never held while the turn is had
    std::condition_variable turnChanged_;
    uint64_t nextTurn_ = 0;     // given to the next thread that asks
    uint64_t currentTurn_ = 0;  // the thread holding this turn has the lock
};
