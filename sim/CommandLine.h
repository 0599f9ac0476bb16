// The command line of orvatronic-sim: turns its arguments into the unit's options.
#pragma once

#include <string>
#include <vector>

#include "SimulatedUnit.h"

namespace sim {

struct CommandLineResult {
    enum class Outcome { Run, Help, Usage };
    Outcome outcome = Outcome::Run;
    Options options;
    std::string problem;  // what was wrong, for Outcome::Usage
};

class CommandLine {
  public:
    static CommandLineResult parse(const std::vector<std::string>& arguments);
    static std::string usage();
};

}  // namespace sim
