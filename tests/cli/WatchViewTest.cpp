// What watch and record make of the reader's picture of the unit.
#include <gtest/gtest.h>

#include "RecordLine.h"
#include "WatchView.h"

namespace {

UnitPicture ConnectedPicture() {
    UnitPicture picture;
    picture.link = UnitPicture::Link::Connected;
    picture.port = "COM5";
    picture.deviceType = "Orvatronic";
    picture.startMode = 2;
    picture.startDelayMs = 1200;
    picture.speedFactor = 1500;
    picture.inputSpeed = 512;
    // Start input (word 1, bit 19) set; the rotary switch serves the start signal at 5.
    picture.io = reply_parser::IoWords{(1u << 19) | (1u << 21) | (5u << 23), 0};
    return picture;
}

std::string ValueOf(const std::vector<watch_view::Row>& rows, const std::string& label) {
    for (const watch_view::Row& row : rows) {
        if (row.label == label) {
            return row.value;
        }
    }
    return "(no row)";
}

TEST(WatchViewTest, RowsShowValuesUnknownsLinesAndTheSwitch) {
    const auto rows = watch_view::Rows(ConnectedPicture());
    EXPECT_EQ(ValueOf(rows, "connection"), "Verbunden über COM5");
    EXPECT_EQ(ValueOf(rows, "start-mode"), "2 (delay)");
    EXPECT_EQ(ValueOf(rows, "start-delay-ms"), "1200 ms");
    EXPECT_EQ(ValueOf(rows, "speed-factor-thousandths"), "1500 (factor 1.500)");
    EXPECT_EQ(ValueOf(rows, "start-shift-mm"), "?");
    EXPECT_EQ(ValueOf(rows, "input speed"), "512 mm/s");
    EXPECT_EQ(ValueOf(rows, "output speed"), "?");
    EXPECT_EQ(ValueOf(rows, "start input"), "1");
    EXPECT_EQ(ValueOf(rows, "start output"), "0");
    EXPECT_EQ(ValueOf(rows, "rotary switch"), "serves the start signal, position 5");

    UnitPicture searching;
    searching.port = "COM3";
    const auto unknown = watch_view::Rows(searching);
    EXPECT_EQ(ValueOf(unknown, "connection"), "Verbindung suchen über COM3");
    EXPECT_EQ(ValueOf(unknown, "start input"), "?");
    EXPECT_EQ(ValueOf(unknown, "rotary switch"), "?");
}

TEST(WatchViewTest, ChangedLinesNameOnlyWhatChangedAndEachSearchOnce) {
    UnitPicture before = ConnectedPicture();
    UnitPicture now = before;
    now.inputSpeed = 513;
    EXPECT_EQ(watch_view::ChangedLines(before, now, "T"),
              std::vector<std::string>{"T input speed: 513 mm/s"});
    EXPECT_TRUE(watch_view::ChangedLines(now, now, "T").empty());

    UnitPicture searching;
    searching.port = "COM1";
    const auto lost = watch_view::ChangedLines(now, searching, "T");
    ASSERT_FALSE(lost.empty());
    EXPECT_EQ(lost.front(), "T connection: Verbindung suchen über COM1");
    UnitPicture nextPort = searching;
    nextPort.port = "COM2";
    EXPECT_TRUE(watch_view::ChangedLines(searching, nextPort, "T").empty());
}

TEST(RecordLineTest, ColumnsMatchTheHeaderConnectedOrSearching) {
    const std::size_t columns = record_line::ColumnNames().size();
    const std::string connected = record_line::Line("T", record_line::Values(ConnectedPicture()));
    EXPECT_EQ(std::count(connected.begin(), connected.end(), ','), columns - 1);
    EXPECT_EQ(connected.substr(0, 20), "T,connected,COM5,2,,");
    // Start input set, the other lines clear, then the switch position.
    const std::string tail = ",512,,1,0,0,0,0,0,0,0,0,5\n";
    EXPECT_EQ(connected.substr(connected.size() - tail.size()), tail);

    UnitPicture searching = ConnectedPicture();
    searching.link = UnitPicture::Link::Searching;
    EXPECT_EQ(record_line::Line("T", record_line::Values(searching)),
              "T,searching" + std::string(columns - 2, ',') + "\n");
    EXPECT_EQ(record_line::Header().substr(0, 15), "time,state,port");
}

}  // namespace
