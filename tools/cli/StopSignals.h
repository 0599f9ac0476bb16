// Ctrl+C, a kill from a terminal or the terminal's hang-up as a request to stop, so that a
// watching or recording loop ends cleanly: the last line written whole, the terminal restored.
// While an object lives, each of these signals only writes a byte into a pipe that the loop
// waits on. A second signal ends the process at once: the first found the loop stuck.
#pragma once

#include <signal.h>

#include <iterator>

class StopSignals {
  public:
    // At most one lives at a time; a second one installs nothing.
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Readable once a stop was requested; -1 when nothing could be installed.
    int Descriptor() const;

  private:
    static constexpr int HandledSignals[] = {SIGINT, SIGTERM, SIGHUP};
    struct sigaction previous_[std::size(HandledSignals)] = {};
    bool installed_ = false;
};
