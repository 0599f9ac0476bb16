// The one way a worker thread reaches the GUI thread: run a routine there and wait until it
// has run. The program implements it with its event loop; tests with a loop of their own.
#pragma once

#include <functional>

class GuiHandOver {
  public:
    virtual ~GuiHandOver() = default;
    // Blocks the calling worker until the routine has run on the GUI thread.
    virtual void RunOnGuiThread(const std::function<void()>& routine) = 0;
};
