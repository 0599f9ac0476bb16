#include "PortClaim.h"

#include "HostPlaces.h"
#include "KernelConsole.h"
#include "ProcessFolder.h"
#include "UucpLock.h"

namespace port_claim {

// The cheap looks come first; the walk over every process only for a port that passed them.
std::optional<std::string> Claim(const std::string& devicePath, dev_t device) {
    if (kernel_console::IsActiveConsole(device) || uucp_lock::LiveHolder(devicePath) ||
        process_folder::ProcessWithTerminal(host_places::Current().procRoot, device)) {
        return std::nullopt;
    }
    std::string lockFile;
    if (uucp_lock::Take(devicePath, lockFile) == uucp_lock::Outcome::Held) {
        return std::nullopt;
    }
    return lockFile;
}

void Release(const std::string& lockFile) {
    uucp_lock::Release(lockFile);
}

}  // namespace port_claim
