#include "FactorArithmetic.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <optional>
#include <string>

namespace fa = factor_arithmetic;

namespace {

constexpr int64_t NotANumber = INT64_MIN;  // marks "no value" in the tables

int64_t Parsed(const std::string& text, char separator) {
    return fa::ParseThousandths(text, separator).value_or(NotANumber);
}

TEST(FactorArithmeticTest, TypedFactorsAreCutAfterTheThirdDecimalTowardZero) {
    const std::tuple<const char*, char, int64_t> cases[] = {
        {"1.2", '.', 1200},
        {"1.001", '.', 1001},
        {"1.0009", '.', 1000},
        {"-1.0009", '.', -1000},
        {"-0.0005", '.', 0},
        {"-0", '.', 0},
        {"0.0009999999999999999999", '.', 0},
        {"99.9999999", '.', 99999},
        {"+2.5", '.', 2500},
        {"7", '.', 7000},
        {"007.5", '.', 7500},
        {".25", '.', 250},
        {"-.25", '.', -250},
        {"3.", '.', 3000},
        {"1,5", ',', 1500},
        {"-0,001", ',', -1},
        {"150", '.', 150000},
        {"-150", '.', -150000},
    };
    for (const auto& [text, separator, thousandths] : cases) {
        EXPECT_EQ(Parsed(text, separator), thousandths) << text;
    }
}

TEST(FactorArithmeticTest, ExponentsMoveTheDecimalPointExactly) {
    const std::tuple<const char*, int64_t> cases[] = {
        {"1e3", 1000000},      {"1E-3", 1},         {"1e-4", 0},
        {"-1.0009e0", -1000},  {"1.0009e1", 10009}, {"10009e-4", 1000},
        {"-5e-4", 0},          {"2.5E+1", 25000},   {"0e999999999999999999999", 0},
        {"123456789e-9", 123},
    };
    for (const auto& [text, thousandths] : cases) {
        EXPECT_EQ(Parsed(text, '.'), thousandths) << text;
    }
}

// Huge magnitudes stay beyond the factor range with their sign, tiny ones become 0; nothing
// wraps around.
TEST(FactorArithmeticTest, HugeAndTinyMagnitudesNeitherOverflowNorFlipSign) {
    const std::string manyNines(400, '9');
    const std::tuple<std::string, int> cases[] = {
        {"1e999999999999999999999999", 1},
        {"-1e999999999999999999999999", -1},
        {"9223372036854775807", 1},
        {"-9223372036854775808", -1},
        {manyNines, 1},
        {"-" + manyNines + ".5", -1},
        {"1e-999999999999999999999999", 0},
        {"-0." + std::string(5000, '0') + "1e5003", -1},
    };
    for (const auto& [text, sign] : cases) {
        const std::optional<int64_t> value = fa::ParseThousandths(text, '.');
        ASSERT_TRUE(value.has_value()) << text.substr(0, 40);
        if (sign == 0) {
            EXPECT_EQ(*value, 0) << text.substr(0, 40);
        } else {
            EXPECT_GT(*value * sign, fa::MaxFactor) << text.substr(0, 40);
        }
    }
}

TEST(FactorArithmeticTest, TextsThatAreNotNumbers) {
    const std::tuple<const char*, char> cases[] = {
        {"abc", '.'},     {"1.2", ','},      {"1,2", '.'}, {"", '.'},    {"-", '.'},
        {"+", '.'},       {".", '.'},        {"-.", '.'},  {"1e", '.'},  {"1e+", '.'},
        {"e3", '.'},      {"1.2.3", '.'},    {"1 2", '.'}, {"12a", '.'}, {"--1", '.'},
        {"0x10", '.'},    {"1,000.5", '.'},  {"inf", '.'}, {"nan", '.'}, {" 1", '.'},
        {"1.5e3.1", '.'}, {"\xc2\xb2", '.'},
    };
    for (const auto& [text, separator] : cases) {
        EXPECT_FALSE(fa::ParseThousandths(text, separator).has_value())
            << "'" << text << "' with " << separator;
    }
}

TEST(FactorArithmeticTest, TrimmingDropsBlanksAndControlCharactersAtTheEndsOnly) {
    const std::tuple<const char*, const char*> cases[] = {
        {"  1.5\t", "1.5"}, {"\r\n-\x01", "-"}, {" 1 2 ", "1 2"}, {"\x7f", ""}, {"", ""},
    };
    for (const auto& [text, trimmed] : cases) {
        EXPECT_EQ(fa::Trimmed(text), trimmed);
    }
}

TEST(FactorArithmeticTest, ClampingKeepsTheFactorRange) {
    const std::tuple<int64_t, int32_t, bool> cases[] = {
        {0, 0, false},
        {99999, 99999, false},
        {100000, 99999, true},
        {-99999, -99999, false},
        {-100000, -99999, true},
        {INT64_MAX, 99999, true},
        {INT64_MIN, -99999, true},
    };
    for (const auto& [thousandths, value, clamped] : cases) {
        const fa::ClampedFactor result = fa::ClampFactor(thousandths);
        EXPECT_EQ(result.value, value) << thousandths;
        EXPECT_EQ(result.clamped, clamped) << thousandths;
    }
}

TEST(FactorArithmeticTest, StepsStopAtTheEndsOfTheRange) {
    const std::tuple<int32_t, bool, bool, int32_t> cases[] = {
        // factor, up, modifier held, after one arrow key step
        {1000, true, false, 1100},       {1000, true, true, 1001},
        {1000, false, false, 900},       {1000, false, true, 999},
        {99999, true, false, 99999},     {99950, true, false, 99999},
        {99999, true, true, 99999},      {-99999, false, false, -99999},
        {-99950, false, false, -99999},  {50, false, false, -50},
        {INT32_MAX, true, false, 99999}, {INT32_MIN, false, false, -99999},
    };
    for (const auto& [factor, up, modifier, after] : cases) {
        EXPECT_EQ(fa::SteppedFactor(factor, fa::ArrowKeyStep(up, modifier)), after)
            << factor << (up ? " up" : " down") << (modifier ? " fine" : "");
    }
    EXPECT_EQ(fa::SteppedFactor(99999, fa::ClickStep), 99999);
    EXPECT_EQ(fa::SteppedFactor(-99999, -fa::ClickStep), -99999);
    EXPECT_EQ(fa::SteppedFactor(1000, fa::ClickStep), 1001);
}

TEST(FactorArithmeticTest, FactorTextsHaveThreeDecimalsAndTheGivenSeparator) {
    const std::tuple<int32_t, char, const char*> cases[] = {
        {1000, '.', "1.000"},   {1000, ',', "1,000"},     {0, '.', "0.000"},   {-1, ',', "-0,001"},
        {99999, '.', "99.999"}, {-99999, '.', "-99.999"}, {667, '.', "0.667"}, {1200, ',', "1,200"},
    };
    for (const auto& [thousandths, separator, text] : cases) {
        EXPECT_EQ(fa::FactorText(thousandths, separator), text);
    }
}

TEST(FactorArithmeticTest, OutputFromFactorTruncatesAndReportsLimits) {
    const std::tuple<int32_t, int32_t, fa::Limit, int32_t> cases[] = {
        // input speed, factor, limit, output
        {500, 1200, fa::Limit::None, 600},     {-300, 2500, fa::Limit::None, -750},
        {1500, 1500, fa::Limit::Max, 0},       {1000, 1500, fa::Limit::None, 1500},
        {1000, 2000, fa::Limit::None, 2000},   {1000, 2001, fa::Limit::Max, 0},
        {-1000, 2001, fa::Limit::Min, 0},      {999, 1001, fa::Limit::None, 999},
        {-999, 1001, fa::Limit::None, -999},   {0, 99999, fa::Limit::None, 0},
        {0, -99999, fa::Limit::None, 0},       {99999, 2000, fa::Limit::Max, 0},
        {-99999, -2000, fa::Limit::Max, 0},    {-99999, 2000, fa::Limit::Min, 0},
        {20, 99999, fa::Limit::None, 1999},    {INT32_MAX, 99999, fa::Limit::Max, 0},
        {INT32_MIN, 99999, fa::Limit::Min, 0}, {INT32_MIN, -99999, fa::Limit::Max, 0},
    };
    for (const auto& [input, factor, limit, output] : cases) {
        const fa::ComputedOutput result = fa::OutputFor(input, factor);
        EXPECT_EQ(result.limit, limit) << input << " x " << factor;
        EXPECT_EQ(result.output, output) << input << " x " << factor;
    }
}

TEST(FactorArithmeticTest, FactorFromOutputTruncatesTheValueAndRoundsTheShownText) {
    const std::tuple<int32_t, int32_t, fa::Limit, int32_t, int32_t> cases[] = {
        // wanted output, input speed, limit, value sent, value shown
        {600, 500, fa::Limit::None, 1200, 1200},   {700, 1000, fa::Limit::None, 700, 700},
        {2, 3, fa::Limit::None, 666, 667},         {-2, 3, fa::Limit::None, -666, -667},
        {2, -3, fa::Limit::None, -666, -667},      {1, 3, fa::Limit::None, 333, 333},
        {1, 2000, fa::Limit::None, 0, 1},          {1, 2001, fa::Limit::None, 0, 0},
        {-1, 3000, fa::Limit::None, 0, 0},         {0, 500, fa::Limit::None, 0, 0},
        {2000, 10, fa::Limit::Max, 1000, 1000},    {-2000, 10, fa::Limit::Min, 1000, 1000},
        {2000, -10, fa::Limit::Min, 1000, 1000},   {2000, 0, fa::Limit::Max, 1000, 1000},
        {-2000, 0, fa::Limit::Max, 1000, 1000},    {0, 0, fa::Limit::Max, 1000, 1000},
        {1999, 20, fa::Limit::None, 99950, 99950}, {2000, 21, fa::Limit::None, 95238, 95238},
        {2000, INT32_MIN, fa::Limit::None, 0, 0},  {-2000, INT32_MAX, fa::Limit::None, 0, 0},
    };
    for (const auto& [output, input, limit, value, shown] : cases) {
        const fa::ComputedFactor result = fa::FactorFor(output, input);
        EXPECT_EQ(result.limit, limit) << output << " / " << input;
        EXPECT_EQ(result.value, value) << output << " / " << input;
        EXPECT_EQ(result.shown, shown) << output << " / " << input;
    }
}

// Shown and sent may differ by one thousandth, never by more, over the whole output range.
TEST(FactorArithmeticTest, ShownFactorIsWithinOneThousandthOfTheSentOne) {
    for (const int32_t input : {1, 3, 7, 29, 333, 999, 1999, -7, -1999}) {
        for (int32_t output = fa::MinOutput; output <= fa::MaxOutput; output += 13) {
            const fa::ComputedFactor result = fa::FactorFor(output, input);
            if (result.limit == fa::Limit::None) {
                EXPECT_LE(std::abs(result.shown - result.value), 1) << output << " / " << input;
                EXPECT_LE(std::abs(result.value), std::abs(result.shown));
            }
        }
    }
}

}  // namespace
