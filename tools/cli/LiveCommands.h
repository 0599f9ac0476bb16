// kalvio-cli's commands that follow the unit over time, "watch" and "record", both on the
// window's own reader thread. Ctrl+C ends them at once: the reader stops, the port closes,
// the terminal gets its cursor back.
#pragma once

#include <ostream>

#include "CliArguments.h"

class LiveCommands {
  public:
    LiveCommands(std::ostream& out, bool toTerminal) : out_(out), toTerminal_(toTerminal) {}

    int Watch(const CliArguments& arguments);
    int Record(const CliArguments& arguments);

  private:
    std::ostream& out_;
    const bool toTerminal_;  // watch redraws in place; else it prints one line per change
};
