#include "GuiSynchronizer.h"

#include <QThread>
#include <chrono>

GuiSynchronizer::GuiSynchronizer(QObject* parent) : QObject(parent) {}

bool GuiSynchronizer::OnGuiThread() const {
    return QThread::currentThread() == thread();
}

void GuiSynchronizer::RunOnGuiThread(const std::function<void()>& routine) {
    if (OnGuiThread()) {
        routine();
        return;
    }
    bool finished = false;
    std::unique_lock<std::mutex> lock(lock_);
    pending_.push_back(PendingRoutine{&routine, &finished});
    QMetaObject::invokeMethod(this, &GuiSynchronizer::ServePending, Qt::QueuedConnection);
    changed_.notify_all();
    changed_.wait(lock, [&finished] { return finished; });
}

void GuiSynchronizer::ServePending() {
    std::unique_lock<std::mutex> lock(lock_);
    while (!pending_.empty()) {
        const PendingRoutine next = pending_.front();
        pending_.pop_front();
        lock.unlock();
        try {
            (*next.routine)();
        } catch (...) {
            // A display routine that fails must not leave its worker waiting for ever.
        }
        lock.lock();
        *next.finished = true;
        changed_.notify_all();
    }
}

void GuiSynchronizer::ServeUntil(const std::function<bool()>& done) {
    constexpr auto CheckInterval = std::chrono::milliseconds(5);
    while (!done()) {
        ServePending();
        std::unique_lock<std::mutex> lock(lock_);
        changed_.wait_for(lock, CheckInterval, [this] { return !pending_.empty(); });
    }
}
