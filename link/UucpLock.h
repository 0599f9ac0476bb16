// The lock files by which serial programs tell each other that a port is in use: LCK..NAME in
// a lock folder, NAME being the device node's name below /dev ("ttyUSB0", "pts/3" as "pts_3"),
// holding the owner's process id as ten characters and a newline (four binary bytes from
// older programs). A file whose owner has ended is stale and blocks nobody.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace uucp_lock {

// The lock file's name for the device, after following links to the device node.
std::string LockFileName(const std::string& devicePath);

// The owner's process id in a lock file's content; nothing when there is none.
std::optional<pid_t> ParseOwner(const std::string& content);

struct Holder {
    pid_t pid = 0;  // 0: the file is there, but whose it is could not be read
    std::string file;
};

// A lock file for the device in any lock folder whose owner lives, this process included.
// Stale files are removed where we may; one we may not remove is passed over.
std::optional<Holder> LiveHolder(const std::string& devicePath);

enum class Outcome {
    Taken,    // our lock file is in place
    Skipped,  // no lock folder lets us write: nobody is told, and nobody is refused for it
    Held,     // another program's lock file came first
};

// Puts a lock file with this process's id into the first lock folder, whole or not at all.
// `lockFile` receives its path when taken, and is emptied otherwise.
Outcome Take(const std::string& devicePath, std::string& lockFile);

// Removes a lock file that Take put in place, unless it no longer names this process.
void Release(const std::string& lockFile);

}  // namespace uucp_lock
