#include "DecimalNumber.h"

namespace sim {
namespace {

constexpr std::size_t MaxSignificantDigits = 15;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

DecimalNumber ParseDecimal(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return {};
    }
    int64_t value = 0;
    std::size_t significant = 0;
    for (const char c : text) {
        if (!IsDigit(c)) {
            return {};
        }
        if (significant > 0 || c != '0') {
            ++significant;
        }
        if (significant > MaxSignificantDigits) {
            // Keep checking the rest: junk after many digits is still malformed.
            continue;
        }
        value = value * 10 + (c - '0');
    }
    if (significant > MaxSignificantDigits) {
        return {NumberCheck::TooLarge, 0};
    }
    return {NumberCheck::Valid, negative ? -value : value};
}

}  // namespace sim
