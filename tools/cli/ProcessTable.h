// What /proc tells about other processes: which hold a device node open, and which run under
// a given name. Another user's open files are hidden from a normal user; the answer then says
// it is incomplete rather than guessing.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

class ProcessTable {
  public:
    struct Process {
        pid_t pid;
        std::string name;  // the command name, at most 15 characters
    };

    // Processes other than this one with `path` (or whatever it links to) open. `complete`
    // becomes false when some process's open files could not be looked at.
    static std::vector<Process> Holding(const std::string& path, bool& complete);
    // The process with that id, named as it runs now.
    static Process Of(pid_t pid);
    // Running processes whose command name is one of `names`.
    static std::vector<Process> Named(const std::vector<std::string>& names);
};
