#include "HandOverTexts.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace hand_over_texts {
namespace {

// Up to seven significant digits the value can be written exactly from the integer.
constexpr int64_t LargestExactThousandths = 9'999'999;

std::string ExactFactor(int32_t thousandths, char decimalSeparator) {
    const int64_t value = thousandths;
    const uint64_t magnitude = static_cast<uint64_t>(std::llabs(value));
    char text[32];
    std::snprintf(text, sizeof text, "%s%llu%c%03llu", value < 0 ? "-" : "",
                  static_cast<unsigned long long>(magnitude / 1000), decimalSeparator,
                  static_cast<unsigned long long>(magnitude % 1000));
    return text;
}

// Larger factors than a unit accepts can only come from a faulty reply; show them rounded to
// seven significant digits, still with three decimals.
std::string RoundedFactor(int32_t thousandths, char decimalSeparator) {
    const double value = thousandths * 0.001;
    const int integerDigits = static_cast<int>(std::floor(std::log10(std::fabs(value)))) + 1;
    const double scale = std::pow(10.0, 7 - integerDigits);
    const double rounded = std::round(value * scale) / scale;
    char text[48];
    std::snprintf(text, sizeof text, "%.3f", rounded);
    // The C library writes the decimal point of whatever numeric locale is set.
    for (char* c = text; *c != '\0'; ++c) {
        if ((*c < '0' || *c > '9') && *c != '-') {
            *c = decimalSeparator;
        }
    }
    return text;
}

}  // namespace

std::string Decimal(int64_t value) {
    return std::to_string(value);
}

std::string WithUnit(int64_t value, const char* unit) {
    return Decimal(value) + " " + unit;
}

std::string Factor(int32_t thousandths, char decimalSeparator) {
    if (std::llabs(static_cast<int64_t>(thousandths)) <= LargestExactThousandths) {
        return ExactFactor(thousandths, decimalSeparator);
    }
    return RoundedFactor(thousandths, decimalSeparator);
}

}  // namespace hand_over_texts
