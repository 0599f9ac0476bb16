#include <gtest/gtest.h>

#include "CommandLine.h"

namespace sim {
namespace {

using Outcome = CommandLineResult::Outcome;

TEST(CommandLineTest, EveryOptionReachesTheUnitOptions) {
    const CommandLineResult result = CommandLine::parse(
        {"--port",      "12",          "--dir",    "/tmp/p",         "--device",
         "orvatronic2", "--firmware",  "V1",       "--state",        "s.txt",
         "--log=l.txt", "--reboot-ms", "0",        "--slow-ms",      "10",
         "--fault",     "no-etx",      "--switch", "speed",          "--switch-position",
         "15",          "--motion",    "restless", "--signal-fault", "xoff"});
    ASSERT_EQ(result.outcome, Outcome::Run) << result.problem;
    const Options& o = result.options;
    EXPECT_EQ(o.portNumber, 12u);
    EXPECT_EQ(o.folder, "/tmp/p");
    EXPECT_EQ(o.device, DeviceKind::Orvatronic2);
    EXPECT_EQ(o.firmware, "V1");
    EXPECT_EQ(o.stateFile, "s.txt");
    EXPECT_EQ(o.logFile, "l.txt");
    EXPECT_EQ(o.rebootMs, 0);
    EXPECT_EQ(o.slowByteMs, 10);
    EXPECT_EQ(o.fault, Fault::MissingEtx);
    EXPECT_EQ(o.switchRole, SwitchRole::Speed);
    EXPECT_EQ(o.switchPosition, 15u);
    EXPECT_EQ(o.motion, Motion::Restless);
    EXPECT_EQ(o.signalFault, Fault::HoldXoff);
}

TEST(CommandLineTest, BadArgumentsAskForUsage) {
    const std::vector<std::vector<std::string>> cases = {
        {"--bogus"},
        {"--port"},
        {"--port", "0"},
        {"--port", "257"},
        {"--port", "5x"},
        {"--reboot-ms", "-1"},
        {"--slow-ms", "10001"},
        {"--switch-position", "16"},
        {"--device", "other"},
        {"--fault", "loud"},
        {"--switch", "both"},
        {"--motion", "still"},
        {"--dir", ""},
        {"COM5"},
    };
    for (const auto& arguments : cases) {
        SCOPED_TRACE(arguments.front() + (arguments.size() > 1 ? " " + arguments[1] : ""));
        const CommandLineResult result = CommandLine::parse(arguments);
        EXPECT_EQ(result.outcome, Outcome::Usage);
        EXPECT_FALSE(result.problem.empty());
    }
    EXPECT_EQ(CommandLine::parse({"--help"}).outcome, Outcome::Help);
}

}  // namespace
}  // namespace sim
