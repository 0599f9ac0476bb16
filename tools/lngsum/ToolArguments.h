// The command line of kalvio-lngsum: FILE to check, --write FILE to correct, --help.
#pragma once

#include <string>
#include <vector>

namespace lngsum {

enum class Action { Check, Write, Help, Refuse };

struct ToolArguments {
    Action action = Action::Refuse;
    std::string file;
    std::string error;  // with Refuse
};

// The arguments after the program name.
ToolArguments ParseArguments(const std::vector<std::string>& arguments);

extern const char* const Usage;

}  // namespace lngsum
