#include "HostPlaces.h"

#include <mutex>

namespace host_places {
namespace {

std::mutex placesLock;

Places& InForce() {
    static Places places;
    return places;
}

}  // namespace

Places Current() {
    std::lock_guard<std::mutex> guard(placesLock);
    return InForce();
}

void Set(const Places& places) {
    std::lock_guard<std::mutex> guard(placesLock);
    InForce() = places;
}

}  // namespace host_places
