// The simulated unit on its pseudo-terminal, driven from the PC's side of the line.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>
#include <thread>

#include "PcPort.h"
#include "SettingsMatch.h"
#include "SimulatedUnit.h"
#include "TemporaryFolder.h"

namespace sim {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using sim_test::PcPort;
using sim_test::Reception;

std::string LinkTarget(const std::string& path) {
    char buffer[4096];
    const ssize_t length = readlink(path.c_str(), buffer, sizeof buffer - 1);
    return length < 0 ? std::string() : std::string(buffer, std::size_t(length));
}

bool Exists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

bool HasFlowControl(const std::string& bytes) {
    return bytes.find('\x11') != std::string::npos || bytes.find('\x13') != std::string::npos;
}

std::pair<uint32_t, uint32_t> IoWords(const std::string& payload) {
    return {uint32_t(std::stoul(payload.substr(0, 8), nullptr, 16)),
            uint32_t(std::stoul(payload.substr(8, 8), nullptr, 16))};
}

class SimulatedUnitTest : public ::testing::Test {
  protected:
    Options defaults() const {
        Options options;
        options.folder = folder_.path();
        options.portNumber = 5;
        return options;
    }

    void startUnit(const Options& options) {
        port_.reset();
        unit_ = std::make_unique<SimulatedUnit>(options);
        ASSERT_TRUE(unit_->start()) << unit_->errorText();
        connect();
    }

    void connect() {
        port_ = std::make_unique<PcPort>(unit_->entryPath());
        ASSERT_TRUE(port_->isOpen());
    }

    std::string ask(const std::string& command) {
        const std::optional<std::string> payload = port_->transact(command);
        EXPECT_TRUE(payload) << "no reply to " << command;
        return payload.value_or("<no reply>");
    }

    // Asks until the unit answers again, as the PC does after sending "RESET".
    std::string askAfterReboot(const std::string& command) {
        const Clock::time_point end = Clock::now() + 10s;
        while (Clock::now() < end) {
            port_->send(command);
            if (auto payload = PcPort::payloadOf(port_->receiveFrame(300ms).bytes)) {
                return *payload;
            }
        }
        ADD_FAILURE() << "the unit did not come back from its reboot";
        return {};
    }

    test_support::TemporaryFolder folder_;
    std::unique_ptr<SimulatedUnit> unit_;
    std::unique_ptr<PcPort> port_;
};

TEST_F(SimulatedUnitTest, PublishesComLinkToItsTerminalAndRemovesItOnStop) {
    startUnit(defaults());
    const std::string entry = folder_.file("COM5");
    EXPECT_EQ(unit_->entryPath(), entry);
    EXPECT_EQ(LinkTarget(entry), unit_->slavePath());
    EXPECT_EQ(unit_->slavePath().rfind("/dev/pts/", 0), 0u);

    unit_->stop();
    EXPECT_FALSE(Exists(entry));
    EXPECT_EQ(unit_->slavePath(), "");

    ASSERT_TRUE(unit_->start()) << "a stopped unit starts again";
    EXPECT_TRUE(Exists(entry));
    unit_.reset();
    EXPECT_FALSE(Exists(entry)) << "destruction unplugs as well";
}

TEST_F(SimulatedUnitTest, LineIsRawBeforeThePcConfiguresItAndOutlivesThePcClosingIt) {
    unit_ = std::make_unique<SimulatedUnit>(defaults());
    ASSERT_TRUE(unit_->start()) << unit_->errorText();
    const int fd = open(unit_->entryPath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    termios settings{};
    ASSERT_EQ(tcgetattr(fd, &settings), 0);
    EXPECT_EQ(settings.c_lflag & (ICANON | ECHO), 0u);
    close(fd);

    // The connection search opens, probes and closes ports over and over.
    for (int round = 0; round < 3; ++round) {
        connect();
        EXPECT_EQ(ask("START.CMD"), "0");
        port_.reset();
    }
}

TEST_F(SimulatedUnitTest, ReplacesAStaleLink) {
    ASSERT_EQ(symlink("/dev/pts/does-not-exist", folder_.file("COM5").c_str()), 0);
    startUnit(defaults());
    EXPECT_EQ(LinkTarget(folder_.file("COM5")), unit_->slavePath());
    EXPECT_EQ(ask("START.CMD"), "0");
}

TEST_F(SimulatedUnitTest, FolderComesFromTheEnvironmentOrStartFails) {
    const char* saved = std::getenv("KALVIO_DOSDEVICES");
    const std::string savedValue = saved == nullptr ? "" : saved;
    Options options = defaults();
    options.folder.clear();

    unsetenv("KALVIO_DOSDEVICES");
    SimulatedUnit homeless(options);
    EXPECT_FALSE(homeless.start());
    EXPECT_NE(homeless.errorText(), "");

    setenv("KALVIO_DOSDEVICES", folder_.path().c_str(), 1);
    SimulatedUnit unit(options);
    EXPECT_TRUE(unit.start()) << unit.errorText();
    EXPECT_EQ(LinkTarget(folder_.file("COM5")), unit.slavePath());
    unit.stop();

    if (saved != nullptr) {
        setenv("KALVIO_DOSDEVICES", savedValue.c_str(), 1);
    } else {
        unsetenv("KALVIO_DOSDEVICES");
    }
}

TEST_F(SimulatedUnitTest, EveryQueryAnswersInItsFormatWithoutFlowControlBytes) {
    Options options = defaults();
    options.firmware = "V3\x11\x13";  // must not reach the line as flow control
    startUnit(options);
    const struct {
        const char* command;
        const char* pattern;
    } cases[] = {
        {"VERSION.HW", "Orvatronic .*"}, {"VERSION.SW", "V3\\?\\?"},
        {"START.CMD", "[0-3]"},          {"START.GENERATOR", "[0-9]+ [0-9]+"},
        {"START.DELAY", "[0-9]+"},       {"START.SHIFT", "[0-9]+"},
        {"SPEED.CMD", "[0-4]"},          {"SPEED.GENERATOR", "-?[0-9]+"},
        {"SPEED.FAKTOR", "-?[0-9]+"},    {"SPEED.SPEED", "-?[0-9]+ -?[0-9]+ -?[0-9]+"},
        {"IO", "[0-9A-F]{16}"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        ASSERT_TRUE(port_->send(c.command));
        const Reception reception = port_->receiveFrame();
        EXPECT_EQ(reception.bytes.front(), '\x02');
        EXPECT_TRUE(reception.endedByEtx);
        EXPECT_FALSE(HasFlowControl(reception.bytes));
        const std::string payload = PcPort::payloadOf(reception.bytes).value_or("");
        EXPECT_TRUE(std::regex_match(payload, std::regex(c.pattern))) << payload;
    }
}

TEST_F(SimulatedUnitTest, SettingsAreReadBackAndRefusalsChangeNothing) {
    startUnit(defaults());
    EXPECT_EQ(ask("START.GENERATOR 250 750"), "OK");
    EXPECT_EQ(ask("START.GENERATOR"), "250 750");
    EXPECT_EQ(ask("SPEED.GENERATOR -1500"), "OK");
    EXPECT_EQ(ask("SPEED.GENERATOR"), "-1500");

    const Settings before = unit_->settings();
    for (const char* refused : {"START.SHIFT 1334", "START.GENERATOR 250", "SPEED.CMD x", "FOO"}) {
        EXPECT_EQ(ask(refused).rfind("Fehler", 0), 0u) << refused;
    }
    EXPECT_EQ(unit_->settings(), before);

    EXPECT_EQ(ask("START.RESET"), "OK");
    EXPECT_EQ(ask("SPEED.RESET"), "OK");
    EXPECT_EQ(unit_->settings(), Settings{});
}

TEST_F(SimulatedUnitTest, InputNoiseAndOverlongCommandsAreHandled) {
    startUnit(defaults());
    ASSERT_TRUE(
        port_->sendBytes("\x11START.\x13"
                         "CMD\n\r"));
    EXPECT_EQ(PcPort::payloadOf(port_->receiveFrame().bytes), "0");

    EXPECT_EQ(ask(std::string(5000, 'X')), "Fehler: Befehl zu lang");
    EXPECT_EQ(ask("SPEED.CMD"), "0") << "the line after an overlong one is read whole";
}

TEST_F(SimulatedUnitTest, SavedChangeSurvivesResetAndUnsavedChangeDoesNot) {
    startUnit(defaults());
    EXPECT_EQ(ask("START.DELAY 700"), "OK");
    EXPECT_EQ(ask("KONFIG.SAVE"), "OK");
    EXPECT_EQ(ask("RESET"), "OK");
    EXPECT_EQ(askAfterReboot("START.DELAY"), "700");

    EXPECT_EQ(ask("START.DELAY 900"), "OK");
    EXPECT_EQ(ask("RESET"), "OK");
    EXPECT_EQ(askAfterReboot("START.DELAY"), "700");
    EXPECT_EQ(unit_->settings().startDelayMs, 700u);
    EXPECT_EQ(unit_->storedSettings().startDelayMs, 700u);
}

TEST_F(SimulatedUnitTest, StaysSilentWhileRebooting) {
    Options options = defaults();
    options.rebootMs = 1500;
    startUnit(options);
    // Both in one write: the query surely arrives inside the reboot.
    ASSERT_TRUE(port_->sendBytes("RESET\rSTART.CMD\r"));
    const Reception during = port_->receiveFor(1000ms);
    EXPECT_EQ(during.bytes, "\x02OK\x03");

    EXPECT_EQ(askAfterReboot("START.CMD"), "0");
    const auto commands = unit_->commands();
    ASSERT_GE(commands.size(), 3u);
    EXPECT_EQ(commands[1].text, "START.CMD") << "heard, though not answered";
    EXPECT_GE(commands.back().at - commands.front().at, 1500ms);
}

TEST_F(SimulatedUnitTest, StoredConfigurationSurvivesARestartAndABadFileIsIgnored) {
    Options options = defaults();
    options.stateFile = folder_.file("state");
    startUnit(options);
    EXPECT_EQ(ask("SPEED.FAKTOR 1500"), "OK");
    EXPECT_EQ(ask("KONFIG.SAVE"), "OK");
    EXPECT_EQ(ask("SPEED.CMD 2"), "OK");  // not saved

    startUnit(options);
    EXPECT_EQ(ask("SPEED.FAKTOR"), "1500");
    EXPECT_EQ(ask("SPEED.CMD"), "0");

    std::ofstream(options.stateFile, std::ios::trunc) << "speedFactor=77\ngarbage\n";
    startUnit(options);
    EXPECT_EQ(unit_->settings(), Settings{});
}

TEST_F(SimulatedUnitTest, FaultsShapeWhatTheLineCarries) {
    const struct {
        const char* name;
        Fault fault;
        bool waitForEtx;
        const char* expected;
    } cases[] = {
        {"garbage", Fault::GarbageBeforeStx, true,
         "AB\x02"
         "0\x03"},
        {"error", Fault::ErrorToAll, true,
         "\x02"
         "Fehler: Stoerung\x03"},
        {"no ETX", Fault::MissingEtx, false,
         "\x02"
         "0"},
        {"no answer", Fault::NoAnswer, false, ""},
        {"healthy again", Fault::None, true,
         "\x02"
         "0\x03"},
    };
    startUnit(defaults());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        unit_->setFault(c.fault);
        ASSERT_TRUE(port_->send("START.CMD"));
        const Reception reception = c.waitForEtx ? port_->receiveFrame() : port_->receiveFor(600ms);
        EXPECT_EQ(reception.bytes, c.expected);
    }
    EXPECT_EQ(unit_->commands().size(), std::size(cases)) << "every command was heard";
}

TEST_F(SimulatedUnitTest, ErrorToAllChangesNothingEvenWhenSetAtStart) {
    Options options = defaults();
    options.fault = Fault::ErrorToAll;
    startUnit(options);
    EXPECT_EQ(ask("START.CMD 2"), "Fehler: Stoerung");
    EXPECT_EQ(unit_->settings(), Settings{});
}

TEST_F(SimulatedUnitTest, SlowBytesArePaced) {
    Options options = defaults();
    options.slowByteMs = 40;
    options.fault = Fault::SlowBytes;
    startUnit(options);
    const Clock::time_point sent = Clock::now();
    EXPECT_EQ(ask("VERSION.HW"), "Orvatronic  sim");
    // 17 bytes with a pause after each but the last.
    EXPECT_GE(Clock::now() - sent, 16 * 40ms);
}

TEST_F(SimulatedUnitTest, OversizedReplyIsPrintableAndEndsWithEtx) {
    Options options = defaults();
    options.fault = Fault::OversizedReply;
    options.oversizedBytes = 12000;
    startUnit(options);
    const std::string payload = ask("START.CMD");
    EXPECT_EQ(payload.size(), 12000u);
    EXPECT_TRUE(std::all_of(payload.begin(), payload.end(), [](char c) { return c >= 0x20; }));
}

TEST_F(SimulatedUnitTest, HoldXoffSendsOneDc3ThenSilenceAndDc1WhenCleared) {
    startUnit(defaults());
    unit_->setFault(Fault::HoldXoff);
    ASSERT_TRUE(port_->send("START.CMD"));
    EXPECT_EQ(port_->receiveFor(600ms).bytes, "\x13");
    ASSERT_TRUE(port_->send("START.CMD"));
    EXPECT_EQ(port_->receiveFor(600ms).bytes, "");

    unit_->setFault(Fault::None);
    EXPECT_EQ(port_->receiveFor(600ms).bytes, "\x11");
    EXPECT_EQ(ask("START.CMD"), "0");
}

TEST_F(SimulatedUnitTest, VanishHangsUpThePcAndReappearPlugsBackIn) {
    startUnit(defaults());
    EXPECT_EQ(ask("START.CMD 1"), "OK");

    unit_->vanish();
    EXPECT_TRUE(port_->receiveFrame(5s).hungUp);
    EXPECT_FALSE(Exists(folder_.file("COM5")));
    EXPECT_EQ(unit_->slavePath(), "");

    ASSERT_TRUE(unit_->reappear()) << unit_->errorText();
    EXPECT_EQ(LinkTarget(folder_.file("COM5")), unit_->slavePath());
    connect();
    EXPECT_EQ(ask("START.CMD"), "1") << "unplugging keeps the running configuration";
}

TEST_F(SimulatedUnitTest, CommandLogKeepsOrderTimesAndTheLogFile) {
    Options options = defaults();
    options.logFile = folder_.file("commands.log");
    startUnit(options);
    const std::vector<std::string> sent = {"VERSION.HW", "START.DELAY 5", "IO"};
    std::vector<std::pair<Clock::time_point, Clock::time_point>> windows;
    for (const std::string& command : sent) {
        const Clock::time_point before = Clock::now();
        ask(command);
        windows.emplace_back(before, Clock::now());
    }
    const auto commands = unit_->commands();
    ASSERT_EQ(commands.size(), sent.size());
    for (std::size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(commands[i].text, sent[i]);
        EXPECT_GE(commands[i].at, windows[i].first);
        EXPECT_LE(commands[i].at, windows[i].second);
    }

    std::ifstream file(options.logFile);
    std::string line;
    for (const std::string& command : sent) {
        ASSERT_TRUE(std::getline(file, line));
        EXPECT_TRUE(std::regex_match(line, std::regex("[0-9]+ " + command))) << line;
    }

    unit_->clearCommands();
    EXPECT_TRUE(unit_->commands().empty());
    EXPECT_FALSE(unit_->waitForCommands(1, 50ms));
    port_->send("IO");
    EXPECT_TRUE(unit_->waitForCommands(1, 5s));
}

TEST_F(SimulatedUnitTest, IoWordsCarryTheRotarySwitchOfTheDeviceKind) {
    const uint32_t switchBits = 0x7Eu << 20;  // bits 21 to 26
    const struct {
        DeviceKind device;
        SwitchRole role;
        unsigned position;
        const char* deviceText;
        uint32_t expected;
    } cases[] = {
        {DeviceKind::Orvatronic, SwitchRole::Start, 9, "Orvatronic  sim", (1u << 21) | (9u << 23)},
        {DeviceKind::Orvatronic, SwitchRole::Speed, 6, "Orvatronic  sim", (1u << 22) | (6u << 23)},
        {DeviceKind::Orvatronic, SwitchRole::None, 6, "Orvatronic  sim", 0},
        {DeviceKind::Orvatronic2, SwitchRole::Start, 9, "Orvatronic2 sim", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.deviceText);
        Options options = defaults();
        options.device = c.device;
        options.switchRole = c.role;
        options.switchPosition = c.position;
        startUnit(options);
        EXPECT_EQ(ask("VERSION.HW"), c.deviceText);
        EXPECT_EQ(IoWords(ask("IO")).first & switchBits, c.expected);
    }
}

TEST_F(SimulatedUnitTest, OutputSpeedIsInputTimesFactorInAdaptationModes) {
    startUnit(defaults());
    for (const char* mode : {"SPEED.CMD 2", "SPEED.CMD 3", "SPEED.CMD 4"}) {
        for (const char* factor : {"SPEED.FAKTOR 1500", "SPEED.FAKTOR -2500"}) {
            SCOPED_TRACE(std::string(mode) + ", " + factor);
            ASSERT_EQ(ask(mode), "OK");
            ASSERT_EQ(ask(factor), "OK");
            std::istringstream speeds(ask("SPEED.SPEED"));
            int input = 0, second = 0, output = 0;
            ASSERT_TRUE(speeds >> input >> second >> output);
            EXPECT_NEAR(input, 500, 25);
            EXPECT_EQ(output, int64_t{input} * unit_->settings().speedFactor / 1000);
        }
    }
}

}  // namespace
}  // namespace sim
