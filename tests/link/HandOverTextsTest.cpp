#include "HandOverTexts.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(HandOverTextsTest, FactorHasThreeDecimalsAndTheGivenSeparator) {
    const std::tuple<int32_t, char, const char*> cases[] = {
        {1500, '.', "1.500"},
        {1500, ',', "1,500"},
        {0, '.', "0.000"},
        {-500, '.', "-0.500"},
        {-1, ',', "-0,001"},
        {99999, '.', "99.999"},
        {-99999, '.', "-99.999"},
        {1000, '.', "1.000"},
        {9999999, '.', "9999.999"},
        {12345678, '.', "12345.680"},
        {INT32_MIN, ',', "-2147484,000"},
    };
    for (const auto& [thousandths, separator, text] : cases) {
        EXPECT_EQ(hand_over_texts::Factor(thousandths, separator), text) << thousandths;
    }
}

TEST(HandOverTextsTest, DecimalTextsWithUnits) {
    EXPECT_EQ(hand_over_texts::WithUnit(250, "ms"), "250 ms");
    EXPECT_EQ(hand_over_texts::WithUnit(-12, "mm/s"), "-12 mm/s");
    EXPECT_EQ(hand_over_texts::Decimal(INT32_MIN), "-2147483648");
}

}  // namespace
