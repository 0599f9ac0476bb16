// A worker thread with a termination flag, a priority, interruptible sleeps and Synchronize,
// the blocking hand-over of a routine to the GUI thread.
//
// Stopping is flag, wake, wait: Terminate() sets the flag and wakes a sleeping worker; the
// worker checks the flag after every wake. A subclass calls Stop() in its own destructor, so
// that Execute() never runs on a half-destroyed object.
#pragma once

#include <sys/types.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "GuiHandOver.h"

class WorkerThread {
  public:
    // AboveNormal runs one nice step above Normal. Where the user may not raise a thread above
    // the process (a normal user), Normal runs one step below the process instead.
    enum class Priority { Normal, AboveNormal };

    explicit WorkerThread(GuiHandOver* gui);
    virtual ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Starts Execute() on its own thread. False when the thread could not be created.
    bool Start(Priority priority);
    void Terminate();
    bool Terminated() const { return terminated_.load(); }
    bool Finished() const { return finished_.load(); }
    // The system's id of the running thread, once its priority is set; 0 before. For
    // observing the priority from outside.
    pid_t NativeId() const { return nativeId_.load(); }
    // Terminates and waits until Execute() has returned. With a GUI hand-over pending, only
    // a caller that keeps serving hand-overs (the GUI thread) may wait; see Finished().
    void Stop();

  protected:
    virtual void Execute() = 0;
    void Synchronize(const std::function<void()>& routine);
    // For a transaction to look at: set once the thread is to end (see ComPort_Transact).
    const std::atomic<bool>* TerminationFlag() const { return &terminated_; }
    // Sleeps for the time given, or less when terminated meanwhile.
    void SleepMs(int milliseconds);
    // Names the running thread for debuggers (at most 15 characters show).
    static void NameThread(const char* name);

  private:
    void Run();

    GuiHandOver* gui_;
    std::thread thread_;
    std::atomic<bool> terminated_{false};
    std::atomic<bool> finished_{false};
    std::atomic<pid_t> nativeId_{0};
    std::mutex wakeLock_;
    std::condition_variable wake_;
    Priority priority_ = Priority::Normal;
};
