// Where the port layer looks at the rest of the system besides the device nodes: the kernel's
// process and device folders, and the folders in which serial programs leave their lock files.
// Tests point them at a temporary folder; the program never changes them.
#pragma once

#include <string>
#include <vector>

namespace host_places {

struct Places {
    std::string procRoot = "/proc";
    std::string sysRoot = "/sys";
    // Lock folders in order of preference: our own lock file goes into the first that exists,
    // and every one of them is looked at for another program's.
    std::vector<std::string> lockFolders = {"/run/lock", "/var/lock"};
};

// A copy of the places in force; safe from any thread.
Places Current();
void Set(const Places& places);

}  // namespace host_places
