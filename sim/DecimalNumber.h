// Strict parsing of the decimal numbers in commands and in the stored configuration file.
#pragma once

#include <cstdint>
#include <string_view>

namespace sim {

enum class NumberCheck { Valid, Malformed, TooLarge };

struct DecimalNumber {
    NumberCheck check = NumberCheck::Malformed;
    int64_t value = 0;
};

// An optional minus sign and at least one digit, nothing else (no blanks, no plus sign).
// Numbers with more than 15 significant digits are TooLarge rather than overflowing.
DecimalNumber ParseDecimal(std::string_view text);

}  // namespace sim
