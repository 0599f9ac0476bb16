// The command line of kalvio-cli: a command word, a file for the commands that take one, and
// the options that command takes. Anything else is refused with a sentence saying what was wrong.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ParsedCommandLine;

class CliArguments {
  public:
    enum class Command { Help, Find, Show, Save, Load, Doctor, Watch, Record, Plot, Diff };

    Command command = Command::Help;
    std::string file;                               // save, load, record, plot, diff
    std::optional<uint32_t> port;                   // --port COMn: that port only, no search
    bool dryRun = false;                            // load --dry-run
    std::optional<std::chrono::seconds> recordFor;  // record --for DURATION
    uint64_t maxSize = 0;                           // record --max-size SIZE; 0 no limit
    std::string from;                               // plot --from T
    std::string to;                                 // plot --to T
    std::string out;                                // plot --out PICTURE

    // Below this a rotated recording would hold hardly a line.
    static constexpr uint64_t SmallestMaxSize = 4096;

    // The arguments after the program name.
    static ParsedCommandLine Parse(const std::vector<std::string>& arguments);
    static std::string Usage();
};

struct ParsedCommandLine {
    std::optional<CliArguments> arguments;
    std::string problem;  // when there are no arguments
};
