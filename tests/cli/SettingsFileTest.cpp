// The settings file: what it writes reads back, and every kind of bad file is refused with
// the line that is wrong.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "SettingsFile.h"
#include "TemporaryFolder.h"
#include "UnwrittenFifo.h"

namespace {

UnitSettings Example() {
    UnitSettings settings;
    settings.StartModus = 3;
    settings.StartGeneratorOn = 250;
    settings.StartGeneratorOff = 30000;
    settings.StartDelayMS = 16000;
    settings.StartDelayMM = 1333;
    settings.SpeedModus = 4;
    settings.SpeedGenerator = -2000;
    settings.SpeedFaktor = -99999;
    return settings;
}

std::string ExampleText() {
    return SettingsFile::Format(Example(), {"Orvatronic 1\n# x", "V2\r", "2024-01-02 03:04"});
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

int LineOf(const std::string& text, const std::string& key) {
    const auto at = text.find("\n" + key + " ");
    return 2 + static_cast<int>(std::count(text.begin(), text.begin() + at, '\n'));
}

TEST(SettingsFileTest, WrittenSettingsReadBackAlsoWithWindowsLineEnds) {
    const std::string text = ExampleText();
    EXPECT_EQ(text.find("\n# x"), std::string::npos) << "a unit text broke out of its comment";
    for (const std::string& variant : {text, Replaced(text, "\n", "\r\n")}) {
        const SettingsFile::Parsed parsed = SettingsFile::Parse(variant);
        ASSERT_TRUE(parsed.settings) << parsed.problem;
        EXPECT_TRUE(DifferingFields(*parsed.settings, Example()).empty());
    }
}

TEST(SettingsFileTest, BadFilesNameTheirBadLine) {
    const std::string text = ExampleText();
    const int shiftLine = LineOf(text, "start-shift-mm");
    struct Row {
        const char* what;
        std::string file;
        int line;
    };
    const Row rows[] = {
        {"above range", Replaced(text, "start-shift-mm = 1333", "start-shift-mm = 1334"),
         shiftLine},
        {"below range", Replaced(text, "start-shift-mm = 1333", "start-shift-mm = -1"), shiftLine},
        {"generator low 0", Replaced(text, "low-ms = 30000", "low-ms = 0"),
         LineOf(text, "start-generator-low-ms")},
        {"factor beyond", Replaced(text, "= -99999", "= -100000"),
         LineOf(text, "speed-factor-thousandths")},
        {"mode 5", Replaced(text, "speed-mode = 4", "speed-mode = 5"), LineOf(text, "speed-mode")},
        {"not a number", Replaced(text, "= 1333", "= 13x3"), shiftLine},
        {"decimal", Replaced(text, "= 1333", "= 13.5"), shiftLine},
        {"empty value", Replaced(text, "= 1333", "="), shiftLine},
        {"no equals", Replaced(text, "start-shift-mm = 1333", "start-shift-mm 1333"), shiftLine},
        {"unknown key", Replaced(text, "start-shift-mm", "start-shift-cm"), shiftLine},
        {"twice", text + "start-mode = 1\n",
         static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1},
        {"missing", Replaced(text, "start-shift-mm = 1333", ""), 0},
        {"too long a line", text + std::string(SettingsFile::MaxLineBytes + 1, '#'),
         static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1},
        {"too large", text + std::string(SettingsFile::MaxBytes, '\n'), 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const SettingsFile::Parsed parsed = SettingsFile::Parse(row.file);
        EXPECT_FALSE(parsed.settings);
        EXPECT_EQ(parsed.line, row.line) << parsed.problem;
        EXPECT_FALSE(parsed.problem.empty());
    }
}

TEST(SettingsFileTest, WritingReplacesTheFileWholeOrLeavesItAsItWas) {
    test_support::TemporaryFolder folder;
    const std::string path = folder.file("unit.txt");
    std::string problem;
    ASSERT_TRUE(SettingsFile::WriteWhole(path, "old\n", problem)) << problem;
    ASSERT_TRUE(SettingsFile::WriteWhole(path, ExampleText(), problem)) << problem;
    std::string text;
    ASSERT_TRUE(SettingsFile::Read(path, text, problem)) << problem;
    EXPECT_EQ(text, ExampleText());

    EXPECT_FALSE(SettingsFile::WriteWhole(folder.file("no-folder/unit.txt"), "x", problem));
    EXPECT_FALSE(problem.empty());
    EXPECT_FALSE(SettingsFile::Read(folder.path(), text, problem)) << "a folder is no file";
}

TEST(SettingsFileTest, ReadingRefusesAFifoWithoutWaitingForAWriter) {
    test_support::TemporaryFolder folder;
    test_support::UnwrittenFifo fifo(folder.file("press-line.txt"));
    std::string text;
    std::string problem;
    EXPECT_FALSE(SettingsFile::Read(fifo.path(), text, problem));
    EXPECT_EQ(problem, "not a regular file");
    EXPECT_FALSE(fifo.readerWasReleased());
}

}  // namespace
