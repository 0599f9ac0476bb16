// The stored configuration file: what is accepted and what is refused as a whole.
#include <gtest/gtest.h>

#include <fstream>

#include "SettingsMatch.h"
#include "StateFile.h"
#include "TemporaryFolder.h"

namespace sim {
namespace {

const char* const Complete =
    "startMode=2\nstartHighMs=10\nstartLowMs=20\nstartDelayMs=300\nstartShiftMm=40\n"
    "speedMode=4\nspeedGenerator=-50\nspeedFactor=-99999\n";

TEST(StateFileTest, SavedSettingsLoadBack) {
    test_support::TemporaryFolder folder;
    Settings settings;
    settings.startMode = 3;
    settings.startShiftMm = 1333;
    settings.speedGenerator = -2000;
    settings.speedFactor = 1234;
    const StateFile file(folder.file("state"));
    ASSERT_TRUE(file.save(settings));
    EXPECT_EQ(file.load(), settings);
}

TEST(StateFileTest, ParseAcceptsOnlyCompleteInRangeFiles) {
    const std::string complete = Complete;
    const struct {
        const char* name;
        std::string text;
        bool accepted;
    } cases[] = {
        {"complete", complete, true},
        {"comments and blank lines", "# saved\n\n" + complete + "\n# end\n", true},
        {"CRLF",
         "startMode=2\r\nstartHighMs=10\r\nstartLowMs=20\r\nstartDelayMs=300\r\n"
         "startShiftMm=40\r\nspeedMode=4\r\nspeedGenerator=-50\r\nspeedFactor=-99999\r\n",
         true},
        {"empty", "", false},
        {"comments only", "# nothing\n", false},
        {"missing a value", complete.substr(0, complete.rfind("speedFactor")), false},
        {"duplicate", complete + "startMode=1\n", false},
        {"unknown name", complete + "colour=7\n", false},
        {"out of range", "startMode=4\n" + complete.substr(complete.find('\n') + 1), false},
        {"junk value", "startMode=2x\n" + complete.substr(complete.find('\n') + 1), false},
        {"no equals sign", complete + "speedMode\n", false},
        {"too long", complete + std::string(StateFile::MaxBytes, '#'), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(StateFile::parse(c.text).has_value(), c.accepted);
    }
    const std::optional<Settings> parsed = StateFile::parse(complete);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->startDelayMs, 300u);
    EXPECT_EQ(parsed->speedFactor, -99999);
}

TEST(StateFileTest, MissingOrOversizedFileLoadsNothing) {
    test_support::TemporaryFolder folder;
    EXPECT_FALSE(StateFile(folder.file("absent")).load());
    std::ofstream(folder.file("big")) << Complete << std::string(StateFile::MaxBytes, '#');
    EXPECT_FALSE(StateFile(folder.file("big")).load());
}

}  // namespace
}  // namespace sim
