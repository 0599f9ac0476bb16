#include "Quantities.h"

#include <cctype>
#include <limits>

namespace quantities {
namespace {

struct Unit {
    char letter;
    uint64_t factor;
};

// A whole number of at most 12 digits, then at most one of the units; nothing else.
template <std::size_t Count>
std::optional<uint64_t> ParseWithUnit(const std::string& text, const Unit (&units)[Count]) {
    std::size_t digits = 0;
    while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits]))) {
        ++digits;
    }
    if (digits == 0 || digits > 12 || text.size() > digits + 1) {
        return std::nullopt;
    }
    uint64_t factor = 1;
    if (text.size() == digits + 1) {
        const char letter =
            static_cast<char>(std::tolower(static_cast<unsigned char>(text.back())));
        bool known = false;
        for (const Unit& unit : units) {
            if (unit.letter == letter) {
                factor = unit.factor;
                known = true;
            }
        }
        if (!known) {
            return std::nullopt;
        }
    }
    const uint64_t number = std::stoull(text.substr(0, digits));
    if (number > std::numeric_limits<uint64_t>::max() / factor) {
        return std::nullopt;
    }
    return number * factor;
}

}  // namespace

std::optional<std::chrono::seconds> ParseDuration(const std::string& text) {
    static const Unit units[] = {{'s', 1}, {'m', 60}, {'h', 3600}, {'d', 86400}};
    const auto seconds = ParseWithUnit(text, units);
    if (!seconds || *seconds == 0) {
        return std::nullopt;
    }
    return std::chrono::seconds(static_cast<int64_t>(*seconds));
}

std::optional<uint64_t> ParseSize(const std::string& text) {
    static const Unit units[] = {{'k', 1ULL << 10}, {'m', 1ULL << 20}, {'g', 1ULL << 30}};
    return ParseWithUnit(text, units);
}

}  // namespace quantities
