// A folder made for one test and removed with everything in it afterwards.
#pragma once

#include <string>

namespace test_support {

class TemporaryFolder {
  public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

// Sets KALVIO_DOSDEVICES for the lifetime of the object and restores it afterwards.
class PortFolderOverride {
  public:
    explicit PortFolderOverride(const std::string& folder);
    ~PortFolderOverride();
    PortFolderOverride(const PortFolderOverride&) = delete;
    PortFolderOverride& operator=(const PortFolderOverride&) = delete;

  private:
    bool hadValue_ = false;
    std::string previous_;
};

}  // namespace test_support
