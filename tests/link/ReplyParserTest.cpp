#include "ReplyParser.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "KeptFuzzInputs.h"
#include "ReplyCheck.h"

namespace {

using namespace reply_parser;

TEST(ReplyParserTest, ModesOutsideTheKnownRangeCountAsZero) {
    const std::tuple<const char*, uint32_t, uint32_t> cases[] = {
        {"0", 0, 0}, {"1", 1, 1}, {"3", 3, 3},      {"4", 0, 4},
        {"5", 0, 0}, {"7", 0, 0}, {" 2\r\n", 2, 2}, {"4294967295", 0, 0},
    };
    for (const auto& [payload, start, speed] : cases) {
        EXPECT_EQ(ParseStartMode(payload).value_or(99), start) << payload;
        EXPECT_EQ(ParseSpeedMode(payload).value_or(99), speed) << payload;
    }
}

TEST(ReplyParserTest, ErrorRepliesAndUnscannablePayloadsGiveNothing) {
    for (const char* payload : {"Fehler", "Fehler 12", "", " ", "x1", "-", "+"}) {
        EXPECT_FALSE(ParseStartMode(payload)) << payload;
        EXPECT_FALSE(ParseUnsigned(payload)) << payload;
        EXPECT_FALSE(ParseSigned(payload)) << payload;
        EXPECT_FALSE(ParseStartGenerator(payload)) << payload;
        EXPECT_FALSE(ParseSpeedSpeed(payload)) << payload;
        EXPECT_FALSE(ParseIo(payload)) << payload;
    }
    EXPECT_FALSE(ParseStartGenerator("100")) << "one of two numbers";
    EXPECT_FALSE(ParseSpeedSpeed("120 5")) << "two of three numbers";
    EXPECT_FALSE(ParseIo("00000001")) << "one of two words";
    EXPECT_FALSE(ParseIo("00000001g0000002")) << "the second word must start with a digit";
}

TEST(ReplyParserTest, ValuesOfEachQuery) {
    const auto generator = ParseStartGenerator("250 750");
    ASSERT_TRUE(generator);
    EXPECT_EQ(generator->highMs, 250u);
    EXPECT_EQ(generator->lowMs, 750u);

    const auto speeds = ParseSpeedSpeed("120 5 118");
    ASSERT_TRUE(speeds);
    EXPECT_EQ(speeds->inputMmPerS, 120);
    EXPECT_EQ(speeds->outputMmPerS, 118);

    const auto io = ParseIo("0000000100000002");
    ASSERT_TRUE(io);
    EXPECT_EQ(io->word1, 1u);
    EXPECT_EQ(io->word2, 2u);

    const auto allBits = ParseIo("FFFFFFFFabcdef01");
    ASSERT_TRUE(allBits);
    EXPECT_EQ(allBits->word1, 0xFFFFFFFFu);
    EXPECT_EQ(allBits->word2, 0xABCDEF01u);

    EXPECT_EQ(ParseSigned("-1500").value_or(0), -1500);
    EXPECT_EQ(ParseSigned("-2147483648").value_or(0), INT32_MIN);
    EXPECT_EQ(ParseUnsigned("16000 ms").value_or(0), 16000u) << "trailing text is ignored";
}

TEST(ReplyParserTest, NumbersTooLargeForTheirFieldGiveNothing) {
    EXPECT_FALSE(ParseSigned("2147483648"));
    EXPECT_FALSE(ParseSigned("-2147483649"));
    EXPECT_FALSE(ParseUnsigned("4294967296"));
    EXPECT_FALSE(ParseUnsigned("99999999999999999999999999"));
    EXPECT_FALSE(ParseSpeedSpeed("1 2 99999999999"));
}

// Within the 32-bit range the scan must agree with the C library's scanf, which the unit's
// replies were designed against.
TEST(ReplyParserTest, AgreesWithScanfInRange) {
    const char* payloads[] = {
        "0",
        "  17",
        "\t-3",
        "+8",
        "12abc",
        "007",
        "1 2",
        "1\n2",
        "  5   6   7",
        "-1 -2 -3",
        "2147483647",
        "-2147483648",
        "4294967295",
        "-1",
        "0000000100000002",
        "1234567890ABCDEF",
        " 00000001 00000002",
        "-0000001FFFFFFFF",
        "+000000100000002",
        "1 2 3 4",
        "9 x",
    };
    for (const char* payload : payloads) {
        SCOPED_TRACE(payload);
        unsigned u1 = 0, u2 = 0;
        int d1 = 0, d2 = 0, d3 = 0;
        const bool oneUnsigned = std::sscanf(payload, "%u", &u1) == 1;
        EXPECT_EQ(ParseUnsigned(payload).has_value(), oneUnsigned);
        if (oneUnsigned) {
            EXPECT_EQ(*ParseUnsigned(payload), u1);
        }
        const bool twoUnsigned = std::sscanf(payload, "%u%u", &u1, &u2) == 2;
        EXPECT_EQ(ParseStartGenerator(payload).has_value(), twoUnsigned);
        if (twoUnsigned) {
            EXPECT_EQ(ParseStartGenerator(payload)->highMs, u1);
            EXPECT_EQ(ParseStartGenerator(payload)->lowMs, u2);
        }
        if (std::sscanf(payload, "%d", &d1) == 1 && ParseSigned(payload)) {
            EXPECT_EQ(*ParseSigned(payload), d1);
        }
        const bool threeSigned = std::sscanf(payload, "%d %d %d", &d1, &d2, &d3) == 3;
        EXPECT_EQ(ParseSpeedSpeed(payload).has_value(), threeSigned);
        if (threeSigned) {
            EXPECT_EQ(ParseSpeedSpeed(payload)->inputMmPerS, d1);
            EXPECT_EQ(ParseSpeedSpeed(payload)->outputMmPerS, d3);
        }
        const bool twoWords = std::sscanf(payload, "%08X%08X", &u1, &u2) == 2;
        EXPECT_EQ(ParseIo(payload).has_value(), twoWords);
        if (twoWords) {
            EXPECT_EQ(ParseIo(payload)->word1, u1);
            EXPECT_EQ(ParseIo(payload)->word2, u2);
        }
    }
}

TEST(ReplyParserTest, DeviceTypeFromTheFirstElevenCharacters) {
    const std::pair<const char*, const char*> cases[] = {
        {"Orvatronic V1.2", "Orvatronic"},
        {"Orvatronic ", "Orvatronic"},
        {"Orvatronic2", "Orvatronic2"},
        {"Orvatronic2 rev B", "Orvatronic2"},
        {"Orvatronic", "none"},
        {"Orvatronic3", "none"},
        {"orvatronic V1", "none"},
        {"Fehler", "none"},
        {"", "none"},
    };
    for (const auto& [payload, type] : cases) {
        EXPECT_EQ(IdentifyDeviceType(payload).value_or("none"), type) << payload;
    }
}

// The fuzz target's corpus: every payload in it is read consistently by every query.
TEST(ReplyParserTest, FuzzInputsAreReadConsistently) {
    int inputs = 0;
    for (const auto& [path, received] : test_support::KeptFuzzInputs({KALVIO_REPLY_CORPUS})) {
        EXPECT_EQ(ReplyCheck::firstFault(received), "") << path;
        ++inputs;
    }
    EXPECT_GT(inputs, 0) << "no inputs in " << KALVIO_REPLY_CORPUS;
}

}  // namespace
