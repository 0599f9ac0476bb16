// The reader's terminal face: its picture, the pages it turns through, and when it tells.
#include <gtest/gtest.h>
#include <poll.h>

#include "ReaderFace.h"

namespace {

bool Told(const ReaderFace& face) {
    pollfd changed = {face.ChangeDescriptor(), POLLIN, 0};
    return poll(&changed, 1, 0) == 1;
}

TEST(ReaderFaceTest, TurnsThroughTheStartSpeedAndUnitPages) {
    DeviceStateRecord state;
    const ReaderFace face(state);
    std::vector<int> pages;
    for (int cycle = 0; cycle < 7; ++cycle) {
        pages.push_back(face.ActivePageIndex());
    }
    EXPECT_EQ(pages, (std::vector<int>{0, 1, 2, 0, 1, 2, 0}));
}

TEST(ReaderFaceTest, ValuesAreToldWhenTheCycleEndsTheSearchAtOnce) {
    DeviceStateRecord state;
    ReaderFace face(state);
    face.ShowSearchingCaption("COM1");
    EXPECT_TRUE(Told(face));
    state.SetDeviceType("Orvatronic");
    face.ShowConnectedCaption("COM1");
    UnitPicture picture = face.Picture();
    EXPECT_FALSE(Told(face));
    EXPECT_EQ(picture.link, UnitPicture::Link::Connected);
    EXPECT_EQ(picture.deviceType, "Orvatronic");

    face.ActivePageIndex();
    state.StartDelayMS = 1200;
    face.StartDelayDisplay("1200 ms");
    state.SpeedInput = 498;
    state.SpeedOutput = -3;
    face.SpeedValuesDisplay("498 mm/s", "-3 mm/s");
    face.InputOutputDisplay("-2147483648", "not a number");
    EXPECT_FALSE(Told(face));  // the cycle is not over
    face.ActivePageIndex();
    ASSERT_TRUE(Told(face));
    picture = face.Picture();
    EXPECT_FALSE(Told(face));
    EXPECT_EQ(picture.startDelayMs, 1200);
    EXPECT_EQ(picture.inputSpeed, 498);
    EXPECT_EQ(picture.outputSpeed, -3);
    ASSERT_TRUE(picture.io);
    EXPECT_EQ(picture.io->word1, 0x80000000u);
    EXPECT_EQ(picture.io->word2, 0u);  // a text that is no number counts as 0

    // A failed query's "?" makes the value unknown; the search's reset forgets every value.
    face.StartDelayDisplay("?");
    face.ActivePageIndex();
    EXPECT_FALSE(face.Picture().startDelayMs);
    face.PageReset();
    EXPECT_TRUE(Told(face));
    picture = face.Picture();
    EXPECT_FALSE(picture.inputSpeed);
    EXPECT_FALSE(picture.io);
    EXPECT_EQ(picture.port, "COM1");
}

}  // namespace
