// watch and record run as programs against simulated units on pseudo-terminals: across an
// unplug, a kill, a rotation and Ctrl+C.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "CliChild.h"
#include "RecordLine.h"
#include "SimulatedUnitFixture.h"
#include "WaitUntil.h"

namespace {

using test_support::WaitUntil;

std::string FileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The whole lines of a file; a last line without its end is returned as it is.
std::vector<std::string> FileLines(const std::string& path) {
    std::vector<std::string> lines;
    std::istringstream text(FileText(path));
    for (std::string line; std::getline(text, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Columns(const std::string& line) {
    std::vector<std::string> columns;
    std::istringstream text(line);
    for (std::string column; std::getline(text, column, ',');) {
        columns.push_back(column);
    }
    if (!line.empty() && line.back() == ',') {
        columns.emplace_back();
    }
    return columns;
}

std::size_t ColumnIndex(const std::string& name) {
    const auto names = record_line::ColumnNames();
    return static_cast<std::size_t>(std::find(names.begin(), names.end(), name) - names.begin());
}

bool IsConnectedWithSpeed(const std::string& line) {
    const auto columns = Columns(line);
    return columns.size() == record_line::ColumnNames().size() && columns[1] == "connected" &&
           !columns[ColumnIndex(record_line::InputSpeedColumn)].empty();
}

bool IsSearching(const std::string& line) {
    const auto columns = Columns(line);
    return columns.size() > 1 && columns[1] == "searching";
}

// The index of the first line from `from` on that the condition picks, or the line count.
template <typename Pick>
std::size_t FirstLine(const std::vector<std::string>& lines, std::size_t from, Pick pick) {
    for (std::size_t index = from; index < lines.size(); ++index) {
        if (pick(lines[index])) {
            return index;
        }
    }
    return lines.size();
}

class LiveCommandsTest : public test_support::SimulatedUnitFixture {
  protected:
    // Waits until the file has a line that the condition picks, from line `from` on.
    template <typename Pick>
    bool WaitForLine(const std::string& path, std::size_t from, Pick pick) {
        return WaitUntil(
            [&] { return FirstLine(FileLines(path), from, pick) < FileLines(path).size(); },
            std::chrono::seconds(20));
    }
};

TEST_F(LiveCommandsTest, RecordingAcrossAnUnplugHasSearchingLinesThenValuesAgain) {
    startUnit();
    const std::string file = folder_.file("shift.csv");
    CliChild record({"record", file, "--port", "COM5"});
    ASSERT_TRUE(record.started());
    ASSERT_TRUE(WaitForLine(file, 1, IsConnectedWithSpeed)) << record.output();

    unit_->vanish();
    const std::size_t before = FileLines(file).size();
    ASSERT_TRUE(WaitForLine(file, before, IsSearching)) << record.output();
    ASSERT_TRUE(unit_->reappear());
    const std::size_t lost = FirstLine(FileLines(file), before, IsSearching);
    ASSERT_TRUE(WaitForLine(file, lost, IsConnectedWithSpeed)) << record.output();

    record.signal(SIGINT);
    EXPECT_EQ(record.waitForExit(), 0) << record.output();
    const std::vector<std::string> lines = FileLines(file);
    EXPECT_EQ(lines.front() + "\n", record_line::Header());
    const std::string emptyValues(record_line::ColumnNames().size() - 2, ',');
    for (std::size_t index = lost; index < lines.size() && IsSearching(lines[index]); ++index) {
        EXPECT_EQ(lines[index].substr(lines[index].find(',') + 1), "searching" + emptyValues);
    }
    EXPECT_NE(record.output().find("Recorded "), std::string::npos) << record.output();
}

TEST_F(LiveCommandsTest, AKilledRecordingEndsWithAWholeLine) {
    startUnit();
    const std::string file = folder_.file("killed.csv");
    CliChild record({"record", file, "--port", "COM5"});
    // Past the size of any output buffer, so that a buffered writer would be caught mid-line.
    ASSERT_TRUE(WaitUntil([&] { return FileText(file).size() > 20000; }, std::chrono::seconds(60)))
        << record.output();
    record.signal(SIGKILL);
    EXPECT_EQ(record.waitForExit(), std::nullopt);  // killed, not ended

    const std::string text = FileText(file);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    const std::size_t columnCount = record_line::ColumnNames().size();
    for (const std::string& line : FileLines(file)) {
        EXPECT_EQ(Columns(line).size(), columnCount) << line;
    }
}

TEST_F(LiveCommandsTest, PastItsSizeTheRecordingMovesToOneOlderGeneration) {
    startUnit();
    const std::string file = folder_.file("rotating.csv");
    CliChild record({"record", file, "--port", "COM5", "--max-size", "4K"});
    struct stat status {};
    ASSERT_TRUE(WaitUntil(
        [&] { return stat((file + ".1").c_str(), &status) == 0 && FileLines(file).size() > 2; },
        std::chrono::seconds(60)))
        << record.output();
    // A second rotation replaces the older generation.
    const std::string firstOlder = FileText(file + ".1");
    ASSERT_TRUE(
        WaitUntil([&] { return FileText(file + ".1") != firstOlder; }, std::chrono::seconds(60)));
    record.signal(SIGINT);
    ASSERT_EQ(record.waitForExit(), 0) << record.output();

    for (const std::string& path : {file, file + ".1"}) {
        const std::vector<std::string> lines = FileLines(path);
        ASSERT_FALSE(lines.empty()) << path;
        EXPECT_EQ(lines.front() + "\n", record_line::Header()) << path;
        EXPECT_LE(FileText(path).size(), 4096u) << path;
        EXPECT_EQ(FileText(path).back(), '\n') << path;
    }
    // The newer file goes on where the older one ends.
    EXPECT_LE(FileLines(file + ".1").back().substr(0, 23), FileLines(file)[1].substr(0, 23));
    struct stat second {};
    EXPECT_NE(stat((file + ".2").c_str(), &second), 0);
}

TEST_F(LiveCommandsTest, RecordingRefusesAFileThatIsNoRecordingAndLeavesItAlone) {
    const std::string file = folder_.file("settings.txt");
    std::ofstream(file) << "start-mode = 1\n";
    CliChild record({"record", file, "--port", "COM5"});
    EXPECT_EQ(record.waitForExit(), 1);
    EXPECT_NE(record.output().find("not a recording"), std::string::npos) << record.output();
    EXPECT_EQ(FileText(file), "start-mode = 1\n");
}

TEST_F(LiveCommandsTest, RecordingGoesOnAfterALineThatAPowerCutLeftHalfWritten) {
    startUnit();
    const std::string file = folder_.file("cut.csv");
    const std::string cut = "2026-12-09T07:00:00.000+01:00,connected,COM5,0,10";
    std::ofstream(file) << record_line::Header() << cut;
    CliChild record({"record", file, "--port", "COM5"});
    ASSERT_TRUE(WaitForLine(file, 2, IsConnectedWithSpeed)) << record.output();
    record.signal(SIGINT);
    ASSERT_EQ(record.waitForExit(), 0) << record.output();
    const std::vector<std::string> lines = FileLines(file);
    ASSERT_GT(lines.size(), 3u);
    EXPECT_EQ(lines[1], cut);
    for (std::size_t index = 2; index < lines.size(); ++index) {
        EXPECT_EQ(Columns(lines[index]).size(), record_line::ColumnNames().size()) << lines[index];
    }
}

TEST_F(LiveCommandsTest, WatchIntoAPipePrintsOneLinePerChangeAndOneForEachSearch) {
    startUnit();
    CliChild watch({"watch"});
    ASSERT_TRUE(watch.waitForOutput(" connection: Verbunden über COM5\n")) << watch.output();
    ASSERT_TRUE(watch.waitForOutput(" firmware: V2.14 sim\n")) << watch.output();
    ASSERT_TRUE(watch.waitForOutput(" input speed: ")) << watch.output();

    const std::string search = " connection: Verbindung suchen über COM1\n";
    ASSERT_EQ(watch.output().find(search), watch.output().rfind(search));
    unit_->vanish();
    ASSERT_TRUE(WaitUntil([&] {
        const std::string text = watch.output();
        return text.find(search) != text.rfind(search);
    }));
    // The search goes on, port after port; that is no news.
    ASSERT_TRUE(unit_->reappear());
    const std::string back = " connection: Verbunden über COM5\n";
    ASSERT_TRUE(WaitUntil([&] {
        const std::string text = watch.output();
        return text.find(back) != text.rfind(back);
    }));
    watch.signal(SIGINT);
    ASSERT_EQ(watch.waitForExit(), 0) << watch.output();

    std::istringstream text(watch.output());
    std::map<std::string, std::string> lastValue;
    std::size_t searches = 0;
    for (std::string line; std::getline(text, line);) {
        const std::size_t label = line.find(' ');
        const std::size_t colon = line.find(": ", label);
        ASSERT_NE(colon, std::string::npos) << line;
        const std::string name = line.substr(label + 1, colon - label - 1);
        const std::string value = line.substr(colon + 2);
        EXPECT_NE(lastValue[name], value) << "repeated without a change: " << line;
        lastValue[name] = value;
        searches += value.rfind("Verbindung suchen", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(searches, 2u);  // the first search, and the one after the unplug
}

TEST_F(LiveCommandsTest, WatchOnATerminalRedrawsInPlaceAndGivesTheCursorBackOnCtrlC) {
    startUnit();
    CliChild watch({"watch", "--port", "COM5"}, CliChild::Output::Terminal);
    ASSERT_TRUE(watch.waitForOutput("Verbunden über COM5")) << watch.output();
    ASSERT_TRUE(watch.waitForOutput("\x1b[H"));
    EXPECT_NE(watch.output().find("\x1b[?25l"), std::string::npos);
    watch.signal(SIGINT);
    ASSERT_EQ(watch.waitForExit(), 0);
    const std::string output = watch.output();
    EXPECT_EQ(output.substr(output.size() - 6), "\x1b[?25h");
}

}  // namespace
