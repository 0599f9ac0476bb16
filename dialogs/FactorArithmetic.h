// The arithmetic of the speed factor dialog, without widgets: reading a typed factor, stepping
// it, and computing the output speed from a factor or the factor from a wanted output speed.
// A factor is a whole number of thousandths (1000 is a factor of 1.000); every product and
// quotient is formed in 64 bits, so no unit value, however faulty, overflows or flips a sign.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "SettingRanges.h"
#include "UnitSettingTable.h"

namespace factor_arithmetic {

constexpr int32_t MinFactor = unit_settings::SpeedFactor.range.min;
constexpr int32_t MaxFactor = unit_settings::SpeedFactor.range.max;
constexpr int32_t MinOutput = setting_ranges::SpeedOutputMmPerS.min;
constexpr int32_t MaxOutput = setting_ranges::SpeedOutputMmPerS.max;
// What the dialog holds when no factor can be computed from the wanted output: 1.000.
constexpr int32_t FallbackFactor = 1000;

// Up-down clicks step by one thousandth; the arrow keys by a tenth, or by one thousandth
// while Shift, Ctrl or Alt is held.
constexpr int32_t ClickStep = 1;
constexpr int32_t ArrowStep = 100;
constexpr int32_t FineArrowStep = 1;

// The text with leading and trailing blanks and control characters removed.
std::string Trimmed(std::string_view text);

// Reads a typed factor: optional sign, digits, the decimal separator, further digits and an
// optional exponent ("1,5", "-.25", "2.5e-1"); at least one digit before the exponent. The
// result is in thousandths, cut off after the third decimal toward zero exactly in decimal
// ("1.0009" gives 1000). Magnitudes far beyond any factor come back as a value beyond the
// factor range with the right sign. Any other text, a different separator included, is not a
// number: no value.
std::optional<int64_t> ParseThousandths(std::string_view text, char decimalSeparator);

struct ClampedFactor {
    int32_t value;
    bool clamped;  // the value lay outside MinFactor ... MaxFactor
};
ClampedFactor ClampFactor(int64_t thousandths);

// The factor moved by delta thousandths and kept within the factor range.
int32_t SteppedFactor(int32_t factor, int32_t delta);
// The signed arrow key step for Up (up true) or Down.
int32_t ArrowKeyStep(bool up, bool modifierHeld);

// The factor as a number with exactly three decimals and the given separator, "1.500", as
// the speed page shows it.
std::string FactorText(int32_t thousandths, char decimalSeparator);

enum class Limit { None, Max, Min };

// Factor mode: the output speed a factor gives for an input speed, the division truncating
// toward zero. Beyond the output range the limit is set and the output is 0.
struct ComputedOutput {
    Limit limit;
    int32_t output;
};
ComputedOutput OutputFor(int32_t inputSpeed, int32_t factor);

// Output mode: the factor that turns the input speed into the wanted output. value is the
// quotient in thousandths truncated toward zero, which OK sends; shown is the same quotient
// rounded half away from zero, which the field shows, so they can differ by one thousandth.
// With input 0 or a factor beyond the range the limit is set (input 0 counts as Max) and
// both are FallbackFactor.
struct ComputedFactor {
    Limit limit;
    int32_t value;
    int32_t shown;
};
ComputedFactor FactorFor(int32_t wantedOutput, int32_t inputSpeed);

}  // namespace factor_arithmetic
