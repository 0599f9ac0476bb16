// The program's commands against simulated units on pseudo-terminals.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "CliProgram.h"
#include "CommandLogQueries.h"
#include "PortFolderFixture.h"
#include "SimulatedUnit.h"
#include "WaitUntil.h"

namespace {

std::vector<std::string> SettingTexts(const sim::Settings& s) {
    return {std::to_string(s.startMode),      std::to_string(s.startHighMs),
            std::to_string(s.startLowMs),     std::to_string(s.startDelayMs),
            std::to_string(s.startShiftMm),   std::to_string(s.speedMode),
            std::to_string(s.speedGenerator), std::to_string(s.speedFactor)};
}

// The commands that changed the unit, in the order sent.
std::vector<std::string> ChangingCommands(const sim::SimulatedUnit& unit) {
    std::vector<std::string> changing;
    for (const sim::ReceivedCommand& command : unit.commands()) {
        if (test_support::ChangesTheUnit(command.text)) {
            changing.push_back(command.text);
        }
    }
    return changing;
}

void ReplaceInFile(const std::string& file, const std::string& from, const std::string& to) {
    std::stringstream text;
    text << std::ifstream(file).rdbuf();
    std::string changed = text.str();
    const std::size_t at = changed.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    changed.replace(at, from.size(), to);
    std::ofstream(file) << changed;
}

class CliSimulatorTest : public test_support::PortFolderFixture {
  protected:
    std::unique_ptr<sim::SimulatedUnit> StartUnit(unsigned port) {
        sim::Options options;
        options.folder = folder_.path();
        options.portNumber = port;
        options.rebootMs = 300;
        auto unit = std::make_unique<sim::SimulatedUnit>(options);
        EXPECT_TRUE(unit->start()) << unit->errorText();
        return unit;
    }

    int Run(const std::vector<std::string>& arguments) {
        const ParsedCommandLine parsed = CliArguments::Parse(arguments);
        EXPECT_TRUE(parsed.arguments) << parsed.problem;
        output_.str({});
        return parsed.arguments ? CliProgram(output_).Run(*parsed.arguments) : -1;
    }

    void SetUnit(unsigned port, const std::vector<std::string>& commands) {
        UnitConnection unit;
        ASSERT_EQ(unit.Open(port), UnitConnection::OpenResult::Identified);
        for (const std::string& command : commands) {
            ASSERT_EQ(unit.Ask(command).value_or("?"), "OK") << command;
        }
    }

    std::string Output() const { return output_.str(); }

    std::ostringstream output_;
};

TEST_F(CliSimulatorTest, SaveThenLoadIntoAUnitWithOtherSettingsGivesIdenticalSettings) {
    const auto source = StartUnit(5);
    const auto target = StartUnit(6);
    SetUnit(5, {"START.CMD 2", "START.GENERATOR 250 750", "START.DELAY 1200", "START.SHIFT 40",
                "SPEED.CMD 3", "SPEED.GENERATOR -150", "SPEED.FAKTOR 1500"});
    ASSERT_NE(SettingTexts(source->settings()), SettingTexts(target->settings()));

    const std::string file = folder_.file("machine.txt");
    ASSERT_EQ(Run({"save", file, "--port", "COM5"}), CliProgram::ExitDone) << Output();
    target->clearCommands();
    ASSERT_EQ(Run({"load", file, "--port", "COM6"}), CliProgram::ExitDone) << Output();

    EXPECT_EQ(SettingTexts(target->settings()), SettingTexts(source->settings()));
    EXPECT_EQ(SettingTexts(target->storedSettings()), SettingTexts(source->settings()));
    // The modes changed: values, then modes, stored, then one restart at the end.
    const std::vector<std::string> sent = ChangingCommands(*target);
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(sent[sent.size() - 2], "KONFIG.SAVE");
    EXPECT_EQ(sent.back(), "RESET");
    EXPECT_EQ(sent[sent.size() - 3], "SPEED.CMD 3");
}

TEST_F(CliSimulatorTest, LoadWithoutModeChangeSendsNoReset) {
    const auto unit = StartUnit(5);
    const std::string file = folder_.file("same.txt");
    ASSERT_EQ(Run({"save", file, "--port", "COM5"}), CliProgram::ExitDone) << Output();
    SetUnit(5, {"START.DELAY 900"});
    unit->clearCommands();
    ASSERT_EQ(Run({"load", file, "--port", "COM5"}), CliProgram::ExitDone) << Output();
    const std::vector<std::string> sent = ChangingCommands(*unit);
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back(), "KONFIG.SAVE");
    EXPECT_EQ(unit->settings().startDelayMs, 0u);
}

TEST_F(CliSimulatorTest, FileWithAValueOutOfRangeSendsNothingAndNamesTheLine) {
    const auto unit = StartUnit(5);
    const std::string file = folder_.file("bad.txt");
    ASSERT_EQ(Run({"save", file, "--port", "COM5"}), CliProgram::ExitDone) << Output();
    ReplaceInFile(file, "start-delay-ms = 0", "start-delay-ms = 16001");
    unit->clearCommands();

    EXPECT_EQ(Run({"load", file, "--port", "COM5"}), CliProgram::ExitFailed);
    EXPECT_NE(Output().find("line "), std::string::npos) << Output();
    EXPECT_NE(Output().find("16001"), std::string::npos) << Output();
    EXPECT_TRUE(unit->commands().empty()) << unit->commands().front().text;
}

TEST_F(CliSimulatorTest, UnitLostDuringLoadNamesWhatWasNotSent) {
    const auto unit = StartUnit(5);
    const std::string file = folder_.file("changed.txt");
    ASSERT_EQ(Run({"save", file, "--port", "COM5"}), CliProgram::ExitDone) << Output();
    ReplaceInFile(file, "start-delay-ms = 0", "start-delay-ms = 700");
    ReplaceInFile(file, "start-shift-mm = 0", "start-shift-mm = 12");
    // Slow replies leave time to silence the unit while it answers the first setting.
    unit->setFault(sim::Fault::SlowBytes);
    unit->clearCommands();
    int status = -1;
    std::thread load([&] { status = Run({"load", file, "--port", "COM5"}); });
    const bool settingHeard = test_support::WaitUntil(
        [&] { return !ChangingCommands(*unit).empty(); }, std::chrono::seconds(30));
    unit->setFault(sim::Fault::NoAnswer);
    load.join();
    ASSERT_TRUE(settingHeard);

    EXPECT_EQ(status, CliProgram::ExitFailed);
    EXPECT_NE(Output().find("stopped answering at"), std::string::npos) << Output();
    EXPECT_NE(Output().find("Not sent: "), std::string::npos) << Output();
    EXPECT_NE(Output().find("KONFIG.SAVE"), std::string::npos) << Output();
    EXPECT_EQ(Output().find("holds every setting"), std::string::npos) << Output();
}

TEST_F(CliSimulatorTest, DryRunPrintsTheCommandsAndSendsNone) {
    const auto unit = StartUnit(5);
    const std::string file = folder_.file("dry.txt");
    ASSERT_EQ(Run({"save", file, "--port", "COM5"}), CliProgram::ExitDone) << Output();
    SetUnit(5, {"START.CMD 1"});
    unit->clearCommands();
    ASSERT_EQ(Run({"load", file, "--dry-run", "--port", "COM5"}), CliProgram::ExitDone);
    EXPECT_NE(Output().find("START.CMD 0"), std::string::npos) << Output();
    EXPECT_NE(Output().find("RESET"), std::string::npos) << Output();
    EXPECT_TRUE(ChangingCommands(*unit).empty());
    EXPECT_EQ(unit->settings().startMode, 1u);
}

TEST_F(CliSimulatorTest, FindNamesThePortAndFailsWithoutAUnit) {
    EXPECT_EQ(Run({"find"}), CliProgram::ExitFailed);
    EXPECT_NE(Output().find("No unit answered"), std::string::npos) << Output();
    const auto unit = StartUnit(7);
    ASSERT_EQ(Run({"find"}), CliProgram::ExitDone) << Output();
    EXPECT_NE(Output().find("COM7"), std::string::npos) << Output();
    EXPECT_NE(Output().find("V2.14 sim"), std::string::npos) << Output();
}

TEST_F(CliSimulatorTest, ShowPrintsSettingsAndDecodedLines) {
    sim::Options options;
    options.folder = folder_.path();
    options.portNumber = 5;
    options.switchRole = sim::SwitchRole::Speed;
    options.switchPosition = 11;
    sim::SimulatedUnit unit(options);
    ASSERT_TRUE(unit.start()) << unit.errorText();
    SetUnit(5, {"SPEED.FAKTOR -2500"});
    ASSERT_EQ(Run({"show", "--port", "COM5"}), CliProgram::ExitDone) << Output();
    EXPECT_NE(Output().find("-2500 (factor -2.500)"), std::string::npos) << Output();
    EXPECT_NE(Output().find("serves the speed signal, position 11"), std::string::npos) << Output();
}

}  // namespace

namespace {

TEST_F(CliSimulatorTest, DiffIsQuietAndZeroForTheSameSettingsAndNamesEachDifference) {
    const auto unit = StartUnit(5);
    const std::string file = folder_.file("machine.txt");
    ASSERT_EQ(Run({"save", file, "--port", "COM5"}), CliProgram::ExitDone) << Output();
    EXPECT_EQ(Run({"diff", file, "--port", "COM5"}), CliProgram::ExitDone) << Output();
    EXPECT_NE(Output().find("has the settings of"), std::string::npos) << Output();

    SetUnit(5, {"START.DELAY 900", "SPEED.FAKTOR 1250"});
    unit->clearCommands();
    EXPECT_EQ(Run({"diff", file}), CliProgram::ExitFailed) << Output();
    EXPECT_EQ(Output(),
              "start-delay-ms: unit 900 ms, file 0 ms\n"
              "speed-factor-thousandths: unit 1250 (factor 1.250), file 1000 (factor 1.000)\n");
    EXPECT_TRUE(ChangingCommands(*unit).empty());  // diff only reads
}

TEST_F(CliSimulatorTest, DiffFailsWithTheReasonForABadFileOrNoUnit) {
    const std::string file = folder_.file("bad.txt");
    std::ofstream(file) << "start-mode = 7\n";
    EXPECT_EQ(Run({"diff", file}), CliProgram::ExitFailed);
    EXPECT_NE(Output().find("line 1"), std::string::npos) << Output();

    const std::string missing = folder_.file("missing.txt");
    EXPECT_EQ(Run({"diff", missing}), CliProgram::ExitFailed);
    EXPECT_NE(Output().find("Could not read"), std::string::npos) << Output();
}

}  // namespace
