// Durations and sizes on the command line.
#include <gtest/gtest.h>

#include "Quantities.h"

namespace {

TEST(QuantitiesTest, DurationsAndSizesWithTheirUnitsAndNothingElse) {
    struct Row {
        std::string text;
        std::optional<int64_t> seconds;
        std::optional<uint64_t> bytes;
    };
    const Row rows[] = {
        {"90", 90, 90},
        {"90s", 90, std::nullopt},
        {"2m", 120, 2u << 20},
        {"3H", 3 * 3600, std::nullopt},
        {"1d", 86400, std::nullopt},
        {"64k", std::nullopt, 64u << 10},
        {"1G", std::nullopt, 1u << 30},
        {"0", std::nullopt, 0},
        {"", std::nullopt, std::nullopt},
        {"m", std::nullopt, std::nullopt},
        {"1.5h", std::nullopt, std::nullopt},
        {"-1", std::nullopt, std::nullopt},
        {" 5", std::nullopt, std::nullopt},
        {"5 ", std::nullopt, std::nullopt},
        {"5mm", std::nullopt, std::nullopt},
        {"1234567890123", std::nullopt, std::nullopt},  // more digits than any use needs
        {"999999999999G", std::nullopt, std::nullopt},  // would not fit
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const auto duration = quantities::ParseDuration(row.text);
        EXPECT_EQ(duration ? std::optional<int64_t>(duration->count()) : std::nullopt, row.seconds);
        EXPECT_EQ(quantities::ParseSize(row.text), row.bytes);
    }
}

}  // namespace
