#include "KernelConsole.h"

#include <sys/sysmacros.h>

#include <fstream>
#include <sstream>

#include "HostPlaces.h"

namespace kernel_console {
namespace {

// Both lists are a few short lines; anything longer is not what the kernel writes.
constexpr std::size_t MaxListBytes = 4096;
constexpr std::size_t MaxNameBytes = 64;

std::string ReadSmallFile(const std::string& path) {
    std::ifstream file(path);
    std::string text(MaxListBytes, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(file.gcount()));
    return text;
}

bool ListedInConsoles(const std::string& procRoot, dev_t device) {
    std::istringstream lines(ReadSmallFile(procRoot + "/consoles"));
    std::string line;
    while (std::getline(lines, line)) {
        const auto lastField = line.find_last_of(" \t");
        const auto number =
            ParseDeviceNumber(lastField == std::string::npos ? line : line.substr(lastField + 1));
        if (number && *number == device) {
            return true;
        }
    }
    return false;
}

bool NamedActive(const std::string& sysRoot, dev_t device) {
    const std::string ttyClass = sysRoot + "/class/tty/";
    std::istringstream names(ReadSmallFile(ttyClass + "console/active"));
    std::string name;
    while (names >> name) {
        if (name.size() > MaxNameBytes || name.find('/') != std::string::npos || name == "..") {
            continue;
        }
        std::string text = ReadSmallFile(ttyClass + name + "/dev");
        text = text.substr(0, text.find('\n'));
        const auto number = ParseDeviceNumber(text);
        if (number && *number == device) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::optional<dev_t> ParseDeviceNumber(const std::string& text) {
    unsigned major = 0;
    unsigned minor = 0;
    char colon = 0;
    std::istringstream fields(text);
    if (!(fields >> major >> colon >> minor) || colon != ':' || !fields.eof()) {
        return std::nullopt;
    }
    return makedev(major, minor);
}

bool IsActiveConsole(dev_t device) {
    const host_places::Places places = host_places::Current();
    return ListedInConsoles(places.procRoot, device) || NamedActive(places.sysRoot, device);
}

}  // namespace kernel_console
