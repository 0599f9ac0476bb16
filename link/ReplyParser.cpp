#include "ReplyParser.h"

#include <cstring>

namespace reply_parser {
namespace {

bool IsScanSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int DigitValue(char c, unsigned base) {
    int value = -1;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value >= 0 && static_cast<unsigned>(value) < base ? value : -1;
}

// Walks a payload the way scanf's %u, %d and %X conversions do.
class ScanCursor {
  public:
    explicit ScanCursor(const char* text) : next_(text) {}

    // %u: an optionally signed decimal number; a minus sign wraps as in unsigned arithmetic.
    std::optional<uint32_t> unsignedNumber() {
        const auto number = signedMagnitude(10, NoWidthLimit);
        if (!number || number->magnitude > UINT32_MAX) {
            return std::nullopt;
        }
        const auto value = static_cast<uint32_t>(number->magnitude);
        return number->negative ? static_cast<uint32_t>(0u - value) : value;
    }

    // %d
    std::optional<int32_t> signedNumber() {
        const auto number = signedMagnitude(10, NoWidthLimit);
        if (!number) {
            return std::nullopt;
        }
        const uint64_t limit = number->negative ? 2147483648ull : 2147483647ull;
        if (number->magnitude > limit) {
            return std::nullopt;
        }
        const auto magnitude = static_cast<int64_t>(number->magnitude);
        return static_cast<int32_t>(number->negative ? -magnitude : magnitude);
    }

    // %<width>X: at most width characters, sign and "0x" included.
    std::optional<uint32_t> hexNumber(std::size_t width) {
        const auto number = signedMagnitude(16, width);
        if (!number || number->magnitude > UINT32_MAX) {
            return std::nullopt;
        }
        const auto value = static_cast<uint32_t>(number->magnitude);
        return number->negative ? static_cast<uint32_t>(0u - value) : value;
    }

  private:
    static constexpr std::size_t NoWidthLimit = SIZE_MAX;
    // Past this, a number cannot fit any 32-bit field; reading stops growing the value.
    static constexpr uint64_t Saturation = uint64_t{1} << 40;

    struct SignedMagnitude {
        bool negative;
        uint64_t magnitude;
    };

    std::optional<SignedMagnitude> signedMagnitude(unsigned base, std::size_t width) {
        while (IsScanSpace(*next_)) {
            ++next_;
        }
        std::size_t used = 0;
        bool negative = false;
        if (used < width && (*next_ == '+' || *next_ == '-')) {
            negative = *next_ == '-';
            ++next_;
            ++used;
        }
        if (base == 16 && used + 1 < width && next_[0] == '0' &&
            (next_[1] == 'x' || next_[1] == 'X')) {
            next_ += 2;
            used += 2;
        }
        uint64_t magnitude = 0;
        std::size_t digits = 0;
        for (int digit = 0; used < width && (digit = DigitValue(*next_, base)) >= 0;
             ++next_, ++used, ++digits) {
            magnitude = magnitude * base + static_cast<unsigned>(digit);
            if (magnitude > Saturation) {
                magnitude = Saturation;
            }
        }
        if (digits == 0) {
            return std::nullopt;
        }
        return SignedMagnitude{negative, magnitude};
    }

    const char* next_;
};

std::optional<uint32_t> ParseMode(const char* payload, uint32_t highestMode) {
    const auto mode = ParseUnsigned(payload);
    if (!mode) {
        return std::nullopt;
    }
    return *mode <= highestMode ? *mode : 0;
}

}  // namespace

bool IsErrorReply(const char* payload) {
    return std::strncmp(payload, "Fehler", 6) == 0;
}

std::optional<uint32_t> ParseStartMode(const char* payload) {
    return ParseMode(payload, HighestStartMode);
}

std::optional<uint32_t> ParseSpeedMode(const char* payload) {
    return ParseMode(payload, HighestSpeedMode);
}

std::optional<uint32_t> ParseUnsigned(const char* payload) {
    if (IsErrorReply(payload)) {
        return std::nullopt;
    }
    return ScanCursor(payload).unsignedNumber();
}

std::optional<int32_t> ParseSigned(const char* payload) {
    if (IsErrorReply(payload)) {
        return std::nullopt;
    }
    return ScanCursor(payload).signedNumber();
}

std::optional<GeneratorTimes> ParseStartGenerator(const char* payload) {
    if (IsErrorReply(payload)) {
        return std::nullopt;
    }
    ScanCursor cursor(payload);
    const auto high = cursor.unsignedNumber();
    const auto low = high ? cursor.unsignedNumber() : std::nullopt;
    if (!low) {
        return std::nullopt;
    }
    return GeneratorTimes{*high, *low};
}

std::optional<SpeedValues> ParseSpeedSpeed(const char* payload) {
    if (IsErrorReply(payload)) {
        return std::nullopt;
    }
    ScanCursor cursor(payload);
    const auto input = cursor.signedNumber();
    const auto unused = input ? cursor.signedNumber() : std::nullopt;
    const auto output = unused ? cursor.signedNumber() : std::nullopt;
    if (!output) {
        return std::nullopt;
    }
    return SpeedValues{*input, *unused, *output};
}

std::optional<IoWords> ParseIo(const char* payload) {
    constexpr std::size_t DigitsPerWord = 8;
    ScanCursor cursor(payload);
    const auto word1 = cursor.hexNumber(DigitsPerWord);
    const auto word2 = word1 ? cursor.hexNumber(DigitsPerWord) : std::nullopt;
    if (!word2) {
        return std::nullopt;
    }
    return IoWords{*word1, *word2};
}

std::optional<std::string> IdentifyDeviceType(const char* payload) {
    if (std::strncmp(payload, "Orvatronic ", 11) == 0) {
        return std::string("Orvatronic");
    }
    if (std::strncmp(payload, "Orvatronic2", 11) == 0) {
        return std::string("Orvatronic2");
    }
    return std::nullopt;
}

}  // namespace reply_parser
