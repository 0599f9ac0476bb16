#include "FactorArithmetic.h"

#include <algorithm>

#include "HandOverTexts.h"

namespace factor_arithmetic {
namespace {

// Any typed value at or beyond this many thousandths is simply "too large": it is far outside
// the factor range, and up to twelve digits always fit 64 bits.
constexpr int64_t Beyond = 1'000'000'000'000;
constexpr std::size_t MaxExactDigits = 12;
// Exponents are only followed this far; a text long enough to make up for a larger one cannot
// be typed into a field.
constexpr int64_t ExponentLimit = 1'000'000'000'000'000;

// A typed number as digits times ten to the power of exponent.
struct DecimalNumber {
    bool negative = false;
    std::string digits;
    int64_t exponent = 0;
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ' || c == '\x7f';
}

bool TakeSign(std::string_view text, std::size_t& pos) {
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        return text[pos++] == '-';
    }
    return false;
}

std::size_t TakeDigits(std::string_view text, std::size_t& pos, std::string& digits) {
    const std::size_t start = pos;
    while (pos < text.size() && IsDigit(text[pos])) {
        digits.push_back(text[pos++]);
    }
    return pos - start;
}

// "e" or "E", an optional sign and at least one digit; the value saturates at ExponentLimit.
std::optional<int64_t> TakeExponent(std::string_view text, std::size_t& pos) {
    if (pos == text.size() || (text[pos] != 'e' && text[pos] != 'E')) {
        return 0;
    }
    ++pos;
    const bool negative = TakeSign(text, pos);
    std::string digits;
    if (TakeDigits(text, pos, digits) == 0) {
        return std::nullopt;
    }
    int64_t value = 0;
    for (const char digit : digits) {
        value = std::min(ExponentLimit, value * 10 + (digit - '0'));
    }
    return negative ? -value : value;
}

std::optional<DecimalNumber> Scan(std::string_view text, char decimalSeparator) {
    DecimalNumber number;
    std::size_t pos = 0;
    number.negative = TakeSign(text, pos);
    TakeDigits(text, pos, number.digits);
    int64_t fractionDigits = 0;
    if (pos < text.size() && text[pos] == decimalSeparator) {
        ++pos;
        fractionDigits = static_cast<int64_t>(TakeDigits(text, pos, number.digits));
    }
    if (number.digits.empty()) {
        return std::nullopt;
    }
    const std::optional<int64_t> exponent = TakeExponent(text, pos);
    if (!exponent || pos != text.size()) {
        return std::nullopt;
    }
    number.exponent = *exponent - fractionDigits;
    return number;
}

int64_t DigitsValue(std::string_view digits) {
    int64_t value = 0;
    for (const char digit : digits) {
        value = value * 10 + (digit - '0');
    }
    return value;
}

// The magnitude of digits times ten to the power of scale, truncated toward zero, saturated
// at Beyond.
int64_t TruncatedMagnitude(std::string_view digits, int64_t scale) {
    digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
    const auto length = static_cast<int64_t>(digits.size());
    if (scale < 0) {
        if (-scale >= length) {
            return 0;
        }
        digits.remove_suffix(static_cast<std::size_t>(-scale));
        scale = 0;
    }
    if (digits.empty()) {
        return 0;
    }
    if (static_cast<int64_t>(digits.size()) + scale > static_cast<int64_t>(MaxExactDigits)) {
        return Beyond;
    }
    int64_t value = DigitsValue(digits);
    for (int64_t i = 0; i < scale; ++i) {
        value *= 10;
    }
    return value;
}

// numerator / denominator rounded half away from zero; the denominator is not 0.
int64_t RoundedQuotient(int64_t numerator, int64_t denominator) {
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const int64_t magnitude =
        (2 * (numerator < 0 ? -numerator : numerator) + denominator) / (2 * denominator);
    return numerator < 0 ? -magnitude : magnitude;
}

ComputedFactor FactorLimit(Limit limit) {
    return {limit, FallbackFactor, FallbackFactor};
}

}  // namespace

std::string Trimmed(std::string_view text) {
    while (!text.empty() && IsBlankOrControl(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlankOrControl(text.back())) {
        text.remove_suffix(1);
    }
    return std::string(text);
}

std::optional<int64_t> ParseThousandths(std::string_view text, char decimalSeparator) {
    const std::optional<DecimalNumber> number = Scan(text, decimalSeparator);
    if (!number) {
        return std::nullopt;
    }
    const int64_t magnitude = TruncatedMagnitude(number->digits, number->exponent + 3);
    return number->negative ? -magnitude : magnitude;
}

ClampedFactor ClampFactor(int64_t thousandths) {
    const int64_t value = std::clamp<int64_t>(thousandths, MinFactor, MaxFactor);
    return {static_cast<int32_t>(value), value != thousandths};
}

int32_t SteppedFactor(int32_t factor, int32_t delta) {
    return ClampFactor(static_cast<int64_t>(factor) + delta).value;
}

int32_t ArrowKeyStep(bool up, bool modifierHeld) {
    const int32_t step = modifierHeld ? FineArrowStep : ArrowStep;
    return up ? step : -step;
}

std::string FactorText(int32_t thousandths, char decimalSeparator) {
    return hand_over_texts::Factor(thousandths, decimalSeparator);
}

ComputedOutput OutputFor(int32_t inputSpeed, int32_t factor) {
    const int64_t output = static_cast<int64_t>(inputSpeed) * factor / 1000;
    if (output > MaxOutput) {
        return {Limit::Max, 0};
    }
    if (output < MinOutput) {
        return {Limit::Min, 0};
    }
    return {Limit::None, static_cast<int32_t>(output)};
}

ComputedFactor FactorFor(int32_t wantedOutput, int32_t inputSpeed) {
    if (inputSpeed == 0) {
        return FactorLimit(Limit::Max);
    }
    const int64_t scaledOutput = static_cast<int64_t>(wantedOutput) * 1000;
    const int64_t truncated = scaledOutput / inputSpeed;
    if (truncated > MaxFactor) {
        return FactorLimit(Limit::Max);
    }
    if (truncated < MinFactor) {
        return FactorLimit(Limit::Min);
    }
    // Rounding may only reach past the range for outputs far beyond the output range.
    return {Limit::None, static_cast<int32_t>(truncated),
            ClampFactor(RoundedQuotient(scaledOutput, inputSpeed)).value};
}

}  // namespace factor_arithmetic
