// Puts other host places (the kernel's folders, the lock folders) in force for the lifetime of
// the object, so that a test's own folders stand in for the system's.
#pragma once

#include "HostPlaces.h"

namespace test_support {

class HostPlacesOverride {
  public:
    explicit HostPlacesOverride(const host_places::Places& places)
        : previous_(host_places::Current()) {
        host_places::Set(places);
    }
    ~HostPlacesOverride() { host_places::Set(previous_); }
    HostPlacesOverride(const HostPlacesOverride&) = delete;
    HostPlacesOverride& operator=(const HostPlacesOverride&) = delete;

  private:
    host_places::Places previous_;
};

}  // namespace test_support
