// A lock folder of the test's own, which the link takes for the host's lock folders for the
// lifetime of the object, so that a test can leave lock files as other serial programs do.
#pragma once

#include <string>

#include "HostPlaces.h"
#include "HostPlacesOverride.h"
#include "TemporaryFolder.h"
#include "UucpLock.h"

namespace test_support {

class LockFolderOverride {
  public:
    LockFolderOverride() : override_(PlacesWith(folder_)) {}

    // Where a program that holds the device leaves its lock file.
    std::string lockFileOf(const std::string& devicePath) const {
        return folder_.file(uucp_lock::LockFileName(devicePath));
    }

  private:
    static host_places::Places PlacesWith(const TemporaryFolder& lockFolder) {
        host_places::Places places;
        places.lockFolders = {lockFolder.path()};
        return places;
    }

    TemporaryFolder folder_;
    HostPlacesOverride override_;
};

}  // namespace test_support
