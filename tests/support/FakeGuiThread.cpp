#include "FakeGuiThread.h"

namespace test_support {

FakeGuiThread::FakeGuiThread() : thread_(&FakeGuiThread::Serve, this) {}

FakeGuiThread::~FakeGuiThread() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void FakeGuiThread::RunOnGuiThread(const std::function<void()>& routine) {
    std::unique_lock<std::mutex> lock(lock_);
    pending_.push_back(&routine);
    const std::size_t ticket = ++queuedCount_;
    changed_.notify_all();
    changed_.wait(lock, [&] { return finishedCount_ >= ticket || stopping_; });
}

void FakeGuiThread::Serve() {
    std::unique_lock<std::mutex> lock(lock_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
        if (pending_.empty()) {
            return;
        }
        const std::function<void()>* routine = pending_.front();
        pending_.pop_front();
        lock.unlock();
        (*routine)();
        lock.lock();
        ++finishedCount_;
        changed_.notify_all();
    }
}

}  // namespace test_support
