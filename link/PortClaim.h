// Whether another program uses a port without holding it exclusively, and our own claim on it
// while we hold it. A port is in use when the kernel writes its console messages there, when it
// is the terminal of a running process (a login prompt, a shell, a terminal program), or when
// a live program's lock file names it. Only what every user may read is looked at, so a normal
// user is refused the same ports as root.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace port_claim {

// Refuses a port that another program uses; otherwise takes its lock file where the lock
// folder lets us. The result is the lock file to give back on close (empty when none was
// taken), or nothing when the port is in use.
std::optional<std::string> Claim(const std::string& devicePath, dev_t device);

// Gives back what Claim took.
void Release(const std::string& lockFile);

}  // namespace port_claim
