// The program's side of Synchronize: a worker's routine is queued for the GUI thread, the
// event loop runs it, and the worker waits until it has. While the GUI thread itself waits
// for a worker to end it serves the queue directly, so a worker blocked in a hand-over can
// still run to its end.
#pragma once

#include <QObject>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "GuiHandOver.h"

class GuiSynchronizer : public QObject, public GuiHandOver {
    Q_OBJECT
  public:
    explicit GuiSynchronizer(QObject* parent = nullptr);

    void RunOnGuiThread(const std::function<void()>& routine) override;

    // On the GUI thread: runs queued hand-overs until done() is true.
    void ServeUntil(const std::function<bool()>& done);

  private:
    struct PendingRoutine {
        const std::function<void()>* routine;
        bool* finished;
    };

    void ServePending();
    bool OnGuiThread() const;

    std::mutex lock_;
    std::condition_variable changed_;
    std::deque<PendingRoutine> pending_;
};
