#include "WorkerThread.h"

#include <pthread.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace {

pid_t CallingThreadId() {
    return static_cast<pid_t>(syscall(SYS_gettid));
}

// The nice value that a new thread starts with: its creator's, normally the process's own.
bool NiceOfCallingThread(int& nice) {
    errno = 0;
    nice = getpriority(PRIO_PROCESS, 0);
    return errno == 0;
}

bool SetNiceOfCallingThread(int nice) {
    return setpriority(PRIO_PROCESS, static_cast<id_t>(CallingThreadId()), nice) == 0;
}

// One step above normal is a nice value one below the process's own. Lowering a nice value
// needs a privilege; without it the thread stays at normal.
void RaisePriorityOfCallingThread() {
    int nice = 0;
    if (NiceOfCallingThread(nice)) {
        SetNiceOfCallingThread(nice - 1);
    }
}

// Where no thread may go above normal, a normal thread goes one step below instead (raising a
// nice value is always allowed), so that an above-normal thread still runs one step above it.
// The probe lowers the calling thread's own nice value and puts it back at once.
void KeepNormalOneStepBelowAboveNormal() {
    int nice = 0;
    if (!NiceOfCallingThread(nice)) {
        return;
    }
    if (SetNiceOfCallingThread(nice - 1)) {
        SetNiceOfCallingThread(nice);
    } else {
        SetNiceOfCallingThread(nice + 1);
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
    } else {
        KeepNormalOneStepBelowAboveNormal();
    }
    nativeId_ = CallingThreadId();
    Execute();
    finished_ = true;
}
