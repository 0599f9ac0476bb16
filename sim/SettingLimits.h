// The value ranges the unit accepts for its settings, shared by the command interpreter and the
// stored configuration file so that neither can hold a value the other would refuse.
#pragma once

#include <cstdint>

namespace sim::limits {

struct Range {
    int64_t min;
    int64_t max;
};

constexpr Range StartMode{0, 3};
constexpr Range StartGeneratorMs{1, 30000};
constexpr Range StartDelayMs{0, 16000};
constexpr Range StartShiftMm{0, 1333};
constexpr Range SpeedMode{0, 4};
constexpr Range SpeedGenerator{-2000, 2000};
constexpr Range SpeedFactor{-99999, 99999};

constexpr bool Contains(Range range, int64_t value) {
    return value >= range.min && value <= range.max;
}

}  // namespace sim::limits
