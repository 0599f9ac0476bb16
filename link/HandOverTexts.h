// The display texts that the reader thread hands to the pages.
#pragma once

#include <cstdint>
#include <string>

namespace hand_over_texts {

constexpr const char* Unknown = "?";

std::string Decimal(int64_t value);
std::string WithUnit(int64_t value, const char* unit);  // "250 ms", "-12 mm/s"
// A factor in thousandths as a number with three decimals and the given decimal separator,
// "1.500" for 1500, rounded to seven significant digits like the unit's own display.
std::string Factor(int32_t thousandths, char decimalSeparator);

}  // namespace hand_over_texts
