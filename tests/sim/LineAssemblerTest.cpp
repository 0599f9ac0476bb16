#include <gtest/gtest.h>

#include <vector>

#include "LineAssembler.h"

namespace sim {
namespace {

std::vector<AssembledLine> FeedAll(LineAssembler& assembler, const std::string& bytes) {
    std::vector<AssembledLine> lines;
    for (const char c : bytes) {
        if (auto line = assembler.feed(static_cast<uint8_t>(c))) {
            lines.push_back(*line);
        }
    }
    return lines;
}

TEST(LineAssemblerTest, FlowControlAndLineFeedsAreNotPartOfCommands) {
    LineAssembler assembler;
    const auto lines = FeedAll(assembler,
                               "\x11IO\x13\r\nSTART.\x11"
                               "CMD\r\r");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text, "IO");
    EXPECT_EQ(lines[1].text, "START.CMD");
    EXPECT_EQ(lines[2].text, "");
    EXPECT_FALSE(lines[1].overlong);
}

TEST(LineAssemblerTest, OverlongLineIsCutAtTheLimitAndTheNextLineIsWhole) {
    LineAssembler assembler(8);
    const auto lines = FeedAll(assembler, "START.GENERATOR 1 2\rIO\r");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(lines[0].overlong);
    EXPECT_EQ(lines[0].text, "START.GE");
    EXPECT_FALSE(lines[1].overlong);
    EXPECT_EQ(lines[1].text, "IO");
}

}  // namespace
}  // namespace sim
