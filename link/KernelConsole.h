// Whether a device is one of the kernel's active consoles, to which it writes its messages and
// on which a login prompt usually waits.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace kernel_console {

// Looks in the process folder's "consoles" list (each line ends in major:minor) and in the
// device folder's list of active console names, each resolved to its device number.
bool IsActiveConsole(dev_t device);

// The device number in a "major:minor" text; nothing for any other text.
std::optional<dev_t> ParseDeviceNumber(const std::string& text);

}  // namespace kernel_console
