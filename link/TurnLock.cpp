#include "TurnLock.h"

void TurnLock::lock() {
    std::unique_lock<std::mutex> guard(lock_);
    const uint64_t myTurn = nextTurn_++;
    turnChanged_.wait(guard, [this, myTurn] { return currentTurn_ == myTurn; });
}

bool TurnLock::try_lock() {
    std::lock_guard<std::mutex> guard(lock_);
    if (currentTurn_ != nextTurn_) {
        return false;
    }
    ++nextTurn_;
    return true;
}

void TurnLock::unlock() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        ++currentTurn_;
    }
    // Every waiter looks whether the new turn is its own; there are at most a few of them.
    turnChanged_.notify_all();
}
