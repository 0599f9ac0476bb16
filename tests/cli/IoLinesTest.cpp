// Decoding the "IO" words into named lines and the rotary switch, for both unit types.
#include <gtest/gtest.h>

#include "IoLines.h"

namespace {

bool LineSet(const std::vector<io_lines::LineState>& lines, const std::string& name) {
    for (const io_lines::LineState& line : lines) {
        if (name == line.name) {
            return line.set;
        }
    }
    ADD_FAILURE() << name << " missing";
    return false;
}

TEST(IoLinesTest, StartAnd24VInputsMoveToWordTwoOnTheSecondUnitType) {
    const reply_parser::IoWords firstTypeSet{(1u << 19) | (1u << 20), 0};
    const reply_parser::IoWords secondTypeSet{0, (1u << 8) | (1u << 13)};
    for (const auto& [type, words, set] : {std::tuple{"Orvatronic", firstTypeSet, true},
                                           {"Orvatronic", secondTypeSet, false},
                                           {"Orvatronic2", secondTypeSet, true},
                                           {"Orvatronic2", firstTypeSet, false}}) {
        SCOPED_TRACE(type);
        const auto lines = io_lines::DecodeLines(words, type);
        EXPECT_EQ(LineSet(lines, "start input"), set);
        EXPECT_EQ(LineSet(lines, "speed input 24V"), set);
    }
    EXPECT_TRUE(io_lines::DecodeLines({~0u, ~0u}, "").empty()) << "unknown unit type";
}

TEST(IoLinesTest, OutputsAndSpeedInputsSitAtTheirBits) {
    const auto lines = io_lines::DecodeLines({1u << 30, (1u << 25) | (1u << 21)}, "Orvatronic");
    EXPECT_TRUE(LineSet(lines, "speed input 2A"));
    EXPECT_FALSE(LineSet(lines, "speed input 1A"));
    EXPECT_TRUE(LineSet(lines, "start output"));
    EXPECT_TRUE(LineSet(lines, "speed output 1B"));
    EXPECT_FALSE(LineSet(lines, "speed output 1A"));
}

TEST(IoLinesTest, RotarySwitchServesOneSignalOrNeither) {
    using io_lines::SwitchServes;
    const uint32_t position9 = 9u << 23;
    EXPECT_EQ(io_lines::DecodeSwitch((1u << 21) | position9).serves, SwitchServes::Start);
    EXPECT_EQ(io_lines::DecodeSwitch((1u << 22) | position9).serves, SwitchServes::Speed);
    EXPECT_EQ(io_lines::DecodeSwitch((3u << 21) | position9).serves, SwitchServes::Neither);
    EXPECT_EQ(io_lines::DecodeSwitch(position9 | (1u << 27)).position, 9u);
}

}  // namespace
