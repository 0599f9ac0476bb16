// The command line: one table of accepted and refused argument lists.
#include <gtest/gtest.h>

#include "CliArguments.h"

namespace {

using Command = CliArguments::Command;

// Parses each row's arguments: a refused row must name its problem, and what an accepted row
// parsed to is handed to `check`.
template <typename TableRow, std::size_t Count, typename Check>
void ParseEachRow(const TableRow (&rows)[Count], Check check) {
    for (const TableRow& row : rows) {
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
        check(row, *parsed.arguments);
    }
}

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
    ParseEachRow(rows, [](const Row& row, const CliArguments& parsed) {
        EXPECT_EQ(parsed.command, row.command);
        EXPECT_EQ(parsed.file, row.file);
        EXPECT_EQ(parsed.port.value_or(0), row.port);
        EXPECT_EQ(parsed.dryRun, row.dryRun);
    });
}

}  // namespace

namespace {

struct TimeRow {
    std::vector<std::string> arguments;
    bool accepted;
    int64_t recordForSeconds;  // 0: none
    uint64_t maxSize;
    std::string out;
};

TEST(CliArgumentsTest, ParsesTheOptionsOfTheCommandsThatFollowTheUnitOverTime) {
    const TimeRow rows[] = {
        {{"watch"}, true, 0, 0, ""},
        {{"watch", "--port", "COM3"}, true, 0, 0, ""},
        {{"record", "shift.csv", "--for", "8h"}, true, 8 * 3600, 0, ""},
        {{"record", "shift.csv", "--for", "90"}, true, 90, 0, ""},
        {{"record", "shift.csv", "--for", "15M"}, true, 15 * 60, 0, ""},
        {{"record", "shift.csv", "--max-size", "10M"}, true, 0, 10u << 20, ""},
        {{"record", "shift.csv", "--max-size", "4096"}, true, 0, 4096, ""},
        {{"plot", "shift.csv", "--out", "shift.png"}, true, 0, 0, "shift.png"},
        {{"plot", "shift.csv", "--from", "2026-12-09T07:30", "--out", "a.svg"},
         true,
         0,
         0,
         "a.svg"},
        {{"diff", "unit.txt", "--port", "COM5"}, true, 0, 0, ""},
        {{"watch", "file.csv"}, false, 0, 0, ""},
        {{"record"}, false, 0, 0, ""},
        {{"record", "shift.csv", "--for", "0"}, false, 0, 0, ""},
        {{"record", "shift.csv", "--for", "8x"}, false, 0, 0, ""},
        {{"record", "shift.csv", "--for", "-5"}, false, 0, 0, ""},
        {{"record", "shift.csv", "--for", "1h", "--for", "2h"}, false, 0, 0, ""},
        {{"record", "shift.csv", "--for", "99999999999999h"}, false, 0, 0, ""},
        {{"record", "shift.csv", "--max-size", "100"}, false, 0, 0, ""},  // below 4K
        {{"record", "shift.csv", "--max-size", "10MB"}, false, 0, 0, ""},
        {{"record", "shift.csv", "--max-size"}, false, 0, 0, ""},
        {{"plot", "shift.csv"}, false, 0, 0, ""},  // no picture named
        {{"plot", "shift.csv", "--out", "shift.jpg"}, false, 0, 0, ""},
        {{"plot", "shift.csv", "--out", ".png"}, false, 0, 0, ""},
        {{"plot", "shift.csv", "--port", "COM5", "--out", "a.png"}, false, 0, 0, ""},
        {{"plot", "shift.csv", "--from", "", "--out", "a.png"}, false, 0, 0, ""},
        {{"diff"}, false, 0, 0, ""},
        {{"diff", "unit.txt", "--for", "1h"}, false, 0, 0, ""},
    };
    ParseEachRow(rows, [](const TimeRow& row, const CliArguments& parsed) {
        const auto recordFor = parsed.recordFor;
        EXPECT_EQ(recordFor ? recordFor->count() : 0, row.recordForSeconds);
        EXPECT_EQ(parsed.maxSize, row.maxSize);
        EXPECT_EQ(parsed.out, row.out);
    });
}

}  // namespace
