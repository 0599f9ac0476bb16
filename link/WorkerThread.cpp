#include "WorkerThread.h"

#include <pthread.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>

namespace {

// One step above normal is a nice value one below the process's own. Without the privilege to
// raise priority the thread runs at normal priority, as it would after a refused request.
void RaisePriorityOfCallingThread() {
    const auto threadId = static_cast<id_t>(syscall(SYS_gettid));
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, 0);
    if (errno == 0) {
        setpriority(PRIO_PROCESS, threadId, nice - 1);
    }
}

}  // namespace

WorkerThread::WorkerThread(GuiHandOver* gui) : gui_(gui) {}

WorkerThread::~WorkerThread() {
    Stop();
}

bool WorkerThread::Start(Priority priority) {
    priority_ = priority;
    try {
        thread_ = std::thread(&WorkerThread::Run, this);
    } catch (const std::system_error&) {
        finished_ = true;
        return false;
    }
    return true;
}

void WorkerThread::Terminate() {
    {
        std::lock_guard<std::mutex> guard(wakeLock_);
        terminated_ = true;
    }
    wake_.notify_all();
}

void WorkerThread::Stop() {
    Terminate();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void WorkerThread::Synchronize(const std::function<void()>& routine) {
    if (gui_ != nullptr) {
        gui_->RunOnGuiThread(routine);
    }
}

void WorkerThread::SleepMs(int milliseconds) {
    std::unique_lock<std::mutex> lock(wakeLock_);
    wake_.wait_for(lock, std::chrono::milliseconds(milliseconds),
                   [this] { return terminated_.load(); });
}

void WorkerThread::NameThread(const char* name) {
    pthread_setname_np(pthread_self(), name);
}

void WorkerThread::Run() {
    if (priority_ == Priority::AboveNormal) {
        RaisePriorityOfCallingThread();
    }
    Execute();
    finished_ = true;
}
