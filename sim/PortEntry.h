// The published name of the unit's port: a symbolic link COMn to the pseudo-terminal's slave,
// in the folder that the port layer searches when KALVIO_DOSDEVICES names it.
#pragma once

#include <string>

namespace sim {

class PortEntry {
  public:
    static constexpr const char* FolderVariable = "KALVIO_DOSDEVICES";

    // The configured folder, else the folder the environment names; empty when neither.
    static std::string resolveFolder(const std::string& configured);
    static std::string entryPath(const std::string& folder, unsigned portNumber);

    PortEntry() = default;
    ~PortEntry();
    PortEntry(const PortEntry&) = delete;
    PortEntry& operator=(const PortEntry&) = delete;

    // Points <folder>/COMn at target, replacing a stale link in one step. False with
    // errorText() when the folder is missing or COMn is something other than a link.
    bool publish(const std::string& folder, unsigned portNumber, const std::string& target);
    // Removes COMn, unless by now it points somewhere else (another unit took the name).
    void remove();

    const std::string& path() const { return path_; }
    const std::string& errorText() const { return error_; }

  private:
    std::string path_;
    std::string target_;
    std::string error_;
};

}  // namespace sim
