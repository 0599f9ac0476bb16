#include "PortNamespace.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

namespace port_namespace {
namespace {

struct BuiltInRange {
    uint32_t firstPort;
    const char* nodePrefix;
};

constexpr uint32_t PortsPerRange = 32;
constexpr BuiltInRange BuiltInRanges[] = {
    {1, "/dev/ttyS"},
    {33, "/dev/ttyUSB"},
    {65, "/dev/ttyACM"},
};

std::optional<std::string> OverrideFolder() {
    const char* folder = std::getenv(OverrideVariable);
    if (folder == nullptr || *folder == '\0') {
        return std::nullopt;
    }
    return std::string(folder);
}

bool IsCharacterDevice(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISCHR(info.st_mode);
}

bool Exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

// The kernel reports the UART type of a ttyS line in sysfs; 0 means no UART answered there.
// Where sysfs says nothing, ask the line itself without raising its modem lines for long.
bool HasUart(const std::string& nodePath) {
    const std::string nodeName = nodePath.substr(nodePath.rfind('/') + 1);
    std::ifstream typeFile("/sys/class/tty/" + nodeName + "/type");
    long type = 0;
    if (typeFile >> type) {
        return type != PORT_UNKNOWN;
    }
    const int fd = open(nodePath.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    serial_struct info{};
    const bool known = ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
    close(fd);
    return known;
}

std::optional<std::string> OverrideTarget(const std::string& entryPath) {
    if (IsCharacterDevice(entryPath)) {
        return std::string("\\Device\\Serial");
    }
    if (Exists(entryPath)) {
        return std::string("\\Device\\NotATerminal");
    }
    return std::nullopt;
}

std::optional<std::string> BuiltInTarget(const std::string& nodePath) {
    if (!IsCharacterDevice(nodePath)) {
        return std::nullopt;
    }
    if (nodePath.rfind("/dev/ttyS", 0) == 0) {
        return std::string(HasUart(nodePath) ? "\\Device\\Serial" : "\\Device\\NoUart");
    }
    return std::string("\\Device\\VCP");
}

}  // namespace

std::optional<std::string> DevicePath(uint32_t portNumber) {
    if (portNumber == 0) {
        return std::nullopt;
    }
    if (const auto folder = OverrideFolder()) {
        return *folder + "/COM" + std::to_string(portNumber);
    }
    for (const BuiltInRange& range : BuiltInRanges) {
        if (portNumber >= range.firstPort && portNumber < range.firstPort + PortsPerRange) {
            return range.nodePrefix + std::to_string(portNumber - range.firstPort);
        }
    }
    return std::nullopt;
}

std::optional<std::string> DeviceTarget(uint32_t portNumber) {
    const auto path = DevicePath(portNumber);
    if (!path) {
        return std::nullopt;
    }
    return OverrideFolder() ? OverrideTarget(*path) : BuiltInTarget(*path);
}

std::optional<uint32_t> ParsePortName(const std::string& name) {
    constexpr std::size_t MaxDigits = 9;
    if (name.size() < 4 || name.size() > 3 + MaxDigits || name.compare(0, 3, "COM") != 0) {
        return std::nullopt;
    }
    uint32_t number = 0;
    for (std::size_t i = 3; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') {
            return std::nullopt;
        }
        number = number * 10 + static_cast<uint32_t>(name[i] - '0');
    }
    if (number == 0 || name[3] == '0') {
        return std::nullopt;
    }
    return number;
}

}  // namespace port_namespace
