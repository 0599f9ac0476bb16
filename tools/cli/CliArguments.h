// The command line of kalvio-cli: a command word, a file for save and load, and the options
// that command takes. Anything else is refused with a sentence saying what was wrong.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ParsedCommandLine;

class CliArguments {
  public:
    enum class Command { Help, Find, Show, Save, Load, Doctor };

    Command command = Command::Help;
    std::string file;              // save and load
    std::optional<uint32_t> port;  // --port COMn: that port only, no search
    bool dryRun = false;           // load --dry-run

    // The arguments after the program name.
    static ParsedCommandLine Parse(const std::vector<std::string>& arguments);
    static std::string Usage();
};

struct ParsedCommandLine {
    std::optional<CliArguments> arguments;
    std::string problem;  // when there are no arguments
};
