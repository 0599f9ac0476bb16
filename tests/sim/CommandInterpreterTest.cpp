// The command set without a line: what each command answers and what it changes.
#include <gtest/gtest.h>

#include "CommandInterpreter.h"
#include "SettingsMatch.h"
#include "UnitSettings.h"

namespace sim {
namespace {

class CommandInterpreterTest : public ::testing::Test {
  protected:
    Answer run(const std::string& command) {
        return interpreter_.answer(command, configuration_, readings_);
    }

    CommandInterpreter interpreter_{DeviceText(DeviceKind::Orvatronic), "V9.99"};
    Configuration configuration_;
    Readings readings_{0x00A04000u, 0x02580000u, 498, 5, 747};
};

TEST_F(CommandInterpreterTest, QueriesAnswerInTheirFormats) {
    const struct {
        const char* command;
        const char* expected;
    } cases[] = {
        {"VERSION.HW", "Orvatronic  sim"},
        {"VERSION.SW", "V9.99"},
        {"START.CMD", "0"},
        {"START.GENERATOR", "100 100"},
        {"START.DELAY", "0"},
        {"START.SHIFT", "0"},
        {"SPEED.CMD", "0"},
        {"SPEED.GENERATOR", "500"},
        {"SPEED.FAKTOR", "1000"},
        {"SPEED.SPEED", "498 5 747"},
        {"IO", "00A0400002580000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        const Answer answer = run(c.command);
        EXPECT_EQ(answer.payload, c.expected);
        EXPECT_EQ(answer.effect, Effect::None);
    }
}

TEST_F(CommandInterpreterTest, SettingsAtTheEdgesOfTheirRangesAreAcceptedAndReadBack) {
    const struct {
        const char* setting;
        const char* query;
        const char* readBack;
    } cases[] = {
        {"START.CMD 3", "START.CMD", "3"},
        {"START.GENERATOR 1 30000", "START.GENERATOR", "1 30000"},
        {"START.DELAY 16000", "START.DELAY", "16000"},
        {"START.SHIFT 1333", "START.SHIFT", "1333"},
        {"SPEED.CMD 4", "SPEED.CMD", "4"},
        {"SPEED.GENERATOR -2000", "SPEED.GENERATOR", "-2000"},
        {"SPEED.FAKTOR -99999", "SPEED.FAKTOR", "-99999"},
        {"SPEED.FAKTOR 99999", "SPEED.FAKTOR", "99999"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setting);
        EXPECT_EQ(run(c.setting).payload, "OK");
        EXPECT_EQ(run(c.query).payload, c.readBack);
    }
    EXPECT_EQ(configuration_.stored().speedFactor, Settings{}.speedFactor)
        << "a setting alone must not reach the stored configuration";
}

// The setting command that sets `field` to `value`, the other values of its command (the
// generator's other time) at their lowest.
std::string SettingWith(const SettingField& field, int64_t value, std::string& readBack) {
    std::string arguments;
    for (const SettingField& each : SettingFields) {
        if (std::string(each.command) == field.command) {
            const int64_t argument = &each == &field ? value : each.range.min;
            arguments += (arguments.empty() ? "" : " ") + std::to_string(argument);
        }
    }
    readBack = arguments;
    return std::string(field.command) + " " + arguments;
}

TEST_F(CommandInterpreterTest, TheUnitTakesEachSettingExactlyOverTheRangeOfTheSettingsTable) {
    for (const SettingField& field : SettingFields) {
        SCOPED_TRACE(field.key);
        for (const int64_t inside : {int64_t{field.range.min}, int64_t{field.range.max}}) {
            std::string readBack;
            const std::string setting = SettingWith(field, inside, readBack);
            EXPECT_EQ(run(setting).payload, "OK") << setting;
            EXPECT_EQ(run(field.command).payload, readBack) << setting;
        }
        for (const int64_t outside : {int64_t{field.range.min} - 1, int64_t{field.range.max} + 1}) {
            std::string readBack;
            const std::string setting = SettingWith(field, outside, readBack);
            EXPECT_EQ(run(setting).payload, error_payload::OutOfRange) << setting;
        }
    }
}

TEST_F(CommandInterpreterTest, RefusedCommandsChangeNothing) {
    const struct {
        const char* command;
        const char* payload;
    } cases[] = {
        {"START.CMD 4", error_payload::OutOfRange},
        {"START.GENERATOR 0 100", error_payload::OutOfRange},
        {"START.GENERATOR 100 30001", error_payload::OutOfRange},
        {"START.DELAY 16001", error_payload::OutOfRange},
        {"START.SHIFT 1334", error_payload::OutOfRange},
        {"SPEED.CMD 5", error_payload::OutOfRange},
        {"SPEED.GENERATOR 2001", error_payload::OutOfRange},
        {"SPEED.FAKTOR -100000", error_payload::OutOfRange},
        {"SPEED.FAKTOR 99999999999999999999", error_payload::OutOfRange},
        {"START.GENERATOR 100", error_payload::BadArguments},
        {"START.GENERATOR 100 100 100", error_payload::BadArguments},
        {"START.CMD  1", error_payload::BadArguments},
        {"START.CMD 1 ", error_payload::BadArguments},
        {"START.DELAY 12x", error_payload::BadArguments},
        {"START.DELAY +12", error_payload::BadArguments},
        {"SPEED.FAKTOR -", error_payload::BadArguments},
        {"START.RESET now", error_payload::BadArguments},
        {"VERSION.HW 1", error_payload::BadArguments},
        {"IO 1", error_payload::BadArguments},
        {"start.cmd 1", error_payload::UnknownCommand},
        {"FOO", error_payload::UnknownCommand},
        {"", error_payload::UnknownCommand},
        {" START.CMD 1", error_payload::UnknownCommand},
    };
    const Settings before = configuration_.running();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        const Answer answer = run(c.command);
        EXPECT_EQ(answer.payload, c.payload);
        EXPECT_EQ(answer.payload.rfind("Fehler", 0), 0u);
        EXPECT_EQ(answer.effect, Effect::None);
        EXPECT_EQ(configuration_.running(), before);
    }
}

TEST_F(CommandInterpreterTest, SignalResetsRestoreOnlyTheirOwnFactorySettings) {
    for (const char* setting :
         {"START.CMD 2", "START.GENERATOR 7 9", "START.DELAY 50", "START.SHIFT 60", "SPEED.CMD 3",
          "SPEED.GENERATOR -5", "SPEED.FAKTOR 1500"}) {
        ASSERT_EQ(run(setting).payload, "OK") << setting;
    }
    const Settings factory;

    ASSERT_EQ(run("START.RESET").payload, "OK");
    Settings afterStartReset = configuration_.running();
    EXPECT_EQ(afterStartReset.startMode, factory.startMode);
    EXPECT_EQ(afterStartReset.startHighMs, factory.startHighMs);
    EXPECT_EQ(afterStartReset.startLowMs, factory.startLowMs);
    EXPECT_EQ(afterStartReset.startDelayMs, factory.startDelayMs);
    EXPECT_EQ(afterStartReset.startShiftMm, factory.startShiftMm);
    EXPECT_EQ(afterStartReset.speedMode, 3u);
    EXPECT_EQ(afterStartReset.speedFactor, 1500);

    ASSERT_EQ(run("SPEED.RESET").payload, "OK");
    EXPECT_EQ(configuration_.running(), factory);
}

TEST_F(CommandInterpreterTest, SaveStoresAndResetAsksForAReboot) {
    ASSERT_EQ(run("SPEED.FAKTOR 2500").payload, "OK");
    const Answer save = run("KONFIG.SAVE");
    EXPECT_EQ(save.payload, "OK");
    EXPECT_EQ(save.effect, Effect::StoreConfiguration);
    EXPECT_EQ(configuration_.stored().speedFactor, 2500);

    const Answer reset = run("RESET");
    EXPECT_EQ(reset.payload, "OK");
    EXPECT_EQ(reset.effect, Effect::Reboot);
}

}  // namespace
}  // namespace sim
