#include "PortNamespace.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "PseudoTerminal.h"
#include "TemporaryFolder.h"

using test_support::PortFolderOverride;
using test_support::PseudoTerminal;
using test_support::TemporaryFolder;

namespace {

TEST(PortNamespaceTest, BuiltInMapping) {
    const char* saved = std::getenv(port_namespace::OverrideVariable);
    const std::string previous = saved ? saved : "";
    unsetenv(port_namespace::OverrideVariable);

    const std::pair<uint32_t, const char*> cases[] = {
        {1, "/dev/ttyS0"},     {32, "/dev/ttyS31"},  {33, "/dev/ttyUSB0"},
        {64, "/dev/ttyUSB31"}, {65, "/dev/ttyACM0"}, {96, "/dev/ttyACM31"},
    };
    for (const auto& [number, path] : cases) {
        EXPECT_EQ(port_namespace::DevicePath(number).value_or("none"), path) << number;
    }
    EXPECT_FALSE(port_namespace::DevicePath(0));
    EXPECT_FALSE(port_namespace::DevicePath(97));
    EXPECT_FALSE(port_namespace::DeviceTarget(256));

    if (saved) {
        setenv(port_namespace::OverrideVariable, previous.c_str(), 1);
    }
}

TEST(PortNamespaceTest, OverrideFolderDecidesAlone) {
    TemporaryFolder folder;
    PortFolderOverride override(folder.path());
    PseudoTerminal pty(folder, 7);
    std::ofstream(folder.file("COM8")) << "plain file";
    ASSERT_EQ(symlink("/nonexistent/tty", folder.file("COM9").c_str()), 0);

    EXPECT_EQ(port_namespace::DevicePath(7).value_or(""), folder.file("COM7"));
    EXPECT_EQ(port_namespace::DevicePath(200).value_or(""), folder.file("COM200"))
        << "beyond the built-in ranges too";

    const auto serial = port_namespace::DeviceTarget(7);
    ASSERT_TRUE(serial);
    EXPECT_NE(serial->find("Serial"), std::string::npos);

    const auto file = port_namespace::DeviceTarget(8);
    ASSERT_TRUE(file) << "an existing entry has a target";
    EXPECT_EQ(file->find("Serial"), std::string::npos);
    EXPECT_EQ(file->find("VCP"), std::string::npos);

    EXPECT_FALSE(port_namespace::DeviceTarget(9)) << "a dangling link is a missing device";
    EXPECT_FALSE(port_namespace::DeviceTarget(1)) << "built-in ports are not consulted";
}

TEST(PortNamespaceTest, PortNames) {
    const std::pair<const char*, uint32_t> valid[] = {{"COM1", 1}, {"COM10", 10}, {"COM256", 256}};
    for (const auto& [name, number] : valid) {
        EXPECT_EQ(port_namespace::ParsePortName(name).value_or(0), number) << name;
    }
    for (const char* name : {"COM", "COM0", "COM01", "com1", "COM1x", "LPT1", " COM1",
                             "COM99999999999", "\\\\.\\COM1"}) {
        EXPECT_FALSE(port_namespace::ParsePortName(name)) << name;
    }
}

}  // namespace
