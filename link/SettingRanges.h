// A value range of the unit's settings, as the parameter dialogs enforce it: the dialogs take
// their up-down limits from the table of the unit's settings (UnitSettings.h), and every other
// sender checks a value against the same range before it goes out, so nothing reaches the unit
// that a dialog would not have sent.
#pragma once

#include <cstdint>

namespace setting_ranges {

struct Range {
    int32_t min;
    int32_t max;
};

// The output speed that the factor dialog lets a factor give.
constexpr Range SpeedOutputMmPerS{-2000, 2000};

constexpr bool Contains(Range range, int64_t value) {
    return value >= range.min && value <= range.max;
}

}  // namespace setting_ranges
