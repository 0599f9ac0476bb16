// SIGTERM, SIGHUP and SIGINT as a request to stop rather than the end of the process: the end of
// the desktop session, a kill from a terminal, Ctrl+C or the terminal's hang-up. While an object
// lives, each of these signals only writes a byte into a pipe that the owner waits on, so that
// what it was doing ends cleanly (a setting sent whole, the last line written, the terminal
// restored). A second signal ends the process at once: the first found its owner stuck.
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
    // Takes the waiting bytes out, so that a descriptor watcher is not woken again for them.
    void Drain() const;

  private:
    static constexpr int HandledSignals[] = {SIGINT, SIGTERM, SIGHUP};
    struct sigaction previous_[std::size(HandledSignals)] = {};
    bool installed_ = false;
};
