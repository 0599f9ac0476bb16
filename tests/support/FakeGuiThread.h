// Stands in for the program's GUI thread: runs handed-over routines one at a time on a thread
// of its own while the worker waits, as the event loop does.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "GuiHandOver.h"

namespace test_support {

class FakeGuiThread : public GuiHandOver {
  public:
    FakeGuiThread();
    ~FakeGuiThread() override;

    void RunOnGuiThread(const std::function<void()>& routine) override;

  private:
    void Serve();

    std::mutex lock_;
    std::condition_variable changed_;
    std::deque<const std::function<void()>*> pending_;
    std::size_t finishedCount_ = 0;
    std::size_t queuedCount_ = 0;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace test_support
