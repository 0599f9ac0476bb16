// The value ranges of the unit's settings, as the parameter dialogs enforce them: the dialogs
// take their up-down limits from here, and every other sender checks a value against the same
// range before it goes out, so nothing reaches the unit that a dialog would not have sent.
#pragma once

#include <cstdint>

#include "ReplyParser.h"

namespace setting_ranges {

struct Range {
    int32_t min;
    int32_t max;
};

constexpr Range StartModus{0, static_cast<int32_t>(reply_parser::HighestStartMode)};
constexpr Range StartGeneratorMs{1, 30000};  // high and low time alike
constexpr Range StartDelayMs{0, 16000};
constexpr Range StartShiftMm{0, 1333};
constexpr Range SpeedModus{0, static_cast<int32_t>(reply_parser::HighestSpeedMode)};
constexpr Range SpeedGeneratorMmPerS{-2000, 2000};
constexpr Range SpeedFaktor{-99999, 99999};  // thousandths: -99.999 to 99.999
// The output speed that the factor dialog lets a factor give.
constexpr Range SpeedOutputMmPerS{-2000, 2000};

constexpr bool Contains(Range range, int64_t value) {
    return value >= range.min && value <= range.max;
}

}  // namespace setting_ranges
