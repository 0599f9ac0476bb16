// The command line: one table of accepted and refused argument lists.
#include <gtest/gtest.h>

#include "CliArguments.h"

namespace {

using Command = CliArguments::Command;

struct Row {
    std::vector<std::string> arguments;
    bool accepted;
    Command command;
    std::string file;
    uint32_t port;  // 0: none
    bool dryRun;
};

TEST(CliArgumentsTest, ParsesEachCommandWithItsOptionsAndRefusesTheRest) {
    const Row rows[] = {
        {{"find"}, true, Command::Find, "", 0, false},
        {{"doctor"}, true, Command::Doctor, "", 0, false},
        {{"--help"}, true, Command::Help, "", 0, false},
        {{"show", "--port", "COM5"}, true, Command::Show, "", 5, false},
        {{"save", "unit.txt"}, true, Command::Save, "unit.txt", 0, false},
        {{"save", "--port", "COM256", "unit.txt"}, true, Command::Save, "unit.txt", 256, false},
        {{"load", "unit.txt", "--dry-run", "--port", "COM12"},
         true,
         Command::Load,
         "unit.txt",
         12,
         true},
        {{}, false, Command::Help, "", 0, false},
        {{"flash"}, false, Command::Help, "", 0, false},
        {{"find", "--port", "COM5"}, false, Command::Help, "", 0, false},  // find searches
        {{"show", "--port"}, false, Command::Help, "", 0, false},
        {{"show", "--port", "COM0"}, false, Command::Help, "", 0, false},
        {{"show", "--port", "COM257"}, false, Command::Help, "", 0, false},
        {{"show", "--port", "ttyUSB0"}, false, Command::Help, "", 0, false},
        {{"show", "--port", "COM5", "--port", "COM6"}, false, Command::Help, "", 0, false},
        {{"save"}, false, Command::Help, "", 0, false},
        {{"save", "a.txt", "b.txt"}, false, Command::Help, "", 0, false},
        {{"save", "a.txt", "--dry-run"}, false, Command::Help, "", 0, false},
        {{"load", "--dry-run"}, false, Command::Help, "", 0, false},
        {{"load", "-x"}, false, Command::Help, "", 0, false},
    };
    for (const Row& row : rows) {
        std::string line;
        for (const std::string& argument : row.arguments) {
            line += argument + ' ';
        }
        SCOPED_TRACE(line);
        const ParsedCommandLine parsed = CliArguments::Parse(row.arguments);
        ASSERT_EQ(parsed.arguments.has_value(), row.accepted) << parsed.problem;
        if (!row.accepted) {
            EXPECT_FALSE(parsed.problem.empty());
            continue;
        }
        EXPECT_EQ(parsed.arguments->command, row.command);
        EXPECT_EQ(parsed.arguments->file, row.file);
        EXPECT_EQ(parsed.arguments->port.value_or(0), row.port);
        EXPECT_EQ(parsed.arguments->dryRun, row.dryRun);
    }
}

}  // namespace
