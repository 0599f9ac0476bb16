#include <gtest/gtest.h>

#include "ReplyFramer.h"

namespace sim {
namespace {

TEST(ReplyFramerTest, EachFaultShapesTheFrame) {
    const struct {
        Fault fault;
        const char* expected;
    } cases[] = {
        {Fault::None,
         "\x02"
         "12\x03"},
        {Fault::SlowBytes,
         "\x02"
         "12\x03"},
        {Fault::GarbageBeforeStx,
         "AB\x02"
         "12\x03"},
        {Fault::ErrorToAll,
         "\x02"
         "12\x03"},  // the unit chooses the error payload itself
        {Fault::MissingEtx,
         "\x02"
         "12"},
        {Fault::OversizedReply,
         "\x02"
         "01234\x03"},
        {Fault::NoAnswer, ""},
        {Fault::HoldXoff, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.fault));
        EXPECT_EQ(ReplyFramer::frame("12", c.fault, 5), c.expected);
    }
}

TEST(ReplyFramerTest, PayloadNeverCarriesFramingOrFlowControlBytes) {
    const std::string frame = ReplyFramer::frame(
        "a\x02"
        "b\x03"
        "c\x11"
        "d\x13"
        "e",
        Fault::None, 0);
    EXPECT_EQ(frame,
              "\x02"
              "a?b?c?d?e\x03");
}

TEST(ReplyFramerTest, OversizedFillerIsPrintable) {
    const std::string filler = ReplyFramer::filler(12000);
    ASSERT_EQ(filler.size(), 12000u);
    for (const char c : filler) {
        ASSERT_TRUE(c >= 0x20 && c < 0x7F);
    }
}

}  // namespace
}  // namespace sim
