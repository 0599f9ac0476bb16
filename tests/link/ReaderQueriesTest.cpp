// The reader's query table row by row, without a line: what each reply stores, what it shows,
// and what a failed query shows.
#include "ReaderQueries.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Keeps the last display call as a line of text.
class LastDisplay : public ReaderDisplay {
  public:
    std::string line;

    int ActivePageIndex() const override { return 0; }
    unsigned DisplayEpoch() const override { return 0; }
    void PageReset() override { line = "reset"; }
    void ShowSearchingCaption(const std::string&) override { line = "searching"; }
    void ShowConnectedCaption(const std::string&) override { line = "connected"; }
    void StartModeDisplay(int mode, bool failed) override {
        line = "start mode " + std::to_string(mode) + (failed ? " ?" : "");
    }
    void StartGeneratorDisplay(const std::string& h, const std::string& l) override {
        line = "start generator " + h + " / " + l;
    }
    void StartDelayDisplay(const std::string& t) override { line = "start delay " + t; }
    void StartShiftDisplay(const std::string& t) override { line = "start shift " + t; }
    void SpeedModeDisplay(int mode, bool failed) override {
        line = "speed mode " + std::to_string(mode) + (failed ? " ?" : "");
    }
    void SpeedGeneratorDisplay(const std::string& t) override { line = "speed generator " + t; }
    void SpeedFactorDisplay(const std::string& t) override { line = "speed factor " + t; }
    void SpeedValuesDisplay(const std::string& i, const std::string& o) override {
        line = "speed values " + i + " / " + o;
    }
    void UnitDeviceDisplay(const std::string& t) override { line = "device " + t; }
    void UnitFirmwareDisplay(const std::string& t) override { line = "firmware " + t; }
    void InputOutputDisplay(const std::string& w1, const std::string& w2) override {
        line = "io " + w1 + " " + w2;
    }
};

struct Row {
    int page;
    std::size_t position;
    const char* command;
    const char* payload;
    const char* shown;
    const char* shownAfterFailure;  // the failed hand-over carries mode 3
    std::function<int32_t(const DeviceStateRecord&)> stored;
    int32_t expectedStored;
};

const reader_queries::Query& QueryAt(int page, std::size_t position) {
    const auto queries = reader_queries::PageQueries(page);
    EXPECT_TRUE(queries);
    EXPECT_LT(position, queries->count);
    return *queries->queries[position];
}

const Row Rows[] = {
    {0, 0, "START.CMD", "2", "start mode 2", "start mode 3 ?",
     [](const DeviceStateRecord& s) { return s.StartModus.load(); }, 2},
    {0, 1, "START.GENERATOR", "150 250", "start generator 150 ms / 250 ms", "start generator ? / ?",
     [](const DeviceStateRecord& s) { return s.StartGeneratorOff.load(); }, 250},
    {0, 2, "START.DELAY", "1200", "start delay 1200 ms", "start delay ?",
     [](const DeviceStateRecord& s) { return s.StartDelayMS.load(); }, 1200},
    {0, 3, "START.SHIFT", "700", "start shift 700 mm", "start shift ?",
     [](const DeviceStateRecord& s) { return s.StartDelayMM.load(); }, 700},
    {0, 4, "IO", "0000000100000002", "io 1 2", "io ? ?", nullptr, 0},
    {1, 0, "SPEED.CMD", "4", "speed mode 4", "speed mode 3 ?",
     [](const DeviceStateRecord& s) { return s.SpeedModus.load(); }, 4},
    {1, 1, "SPEED.GENERATOR", "-1500", "speed generator -1500 mm/s", "speed generator ?",
     [](const DeviceStateRecord& s) { return s.SpeedGenerator.load(); }, -1500},
    {1, 2, "SPEED.FAKTOR", "1500", "speed factor 1,500", "speed factor ?",
     [](const DeviceStateRecord& s) { return s.SpeedFaktor.load(); }, 1500},
    {1, 3, "SPEED.SPEED", "120 5 118", "speed values 120 mm/s / 118 mm/s", "speed values ? / ?",
     [](const DeviceStateRecord& s) { return s.SpeedOutput.load(); }, 118},
    {1, 4, "IO", "FFFFFFFF00000000", "io -1 0", "io ? ?", nullptr, 0},
    {2, 0, "VERSION.HW", "Orvatronic2 X", "device Orvatronic2 X", "device ?", nullptr, 0},
    {2, 1, "VERSION.SW", "V2.14", "firmware V2.14", "firmware ?", nullptr, 0},
    {3, 0, "IO", "0000000000000003", "io 0 3", "io ? ?", nullptr, 0},
};

TEST(ReaderQueriesTest, EachRowStoresAndShowsItsReplyAndShowsUnknownAfterAFailure) {
    for (const Row& row : Rows) {
        SCOPED_TRACE(std::string(row.command) + " on page " + std::to_string(row.page));
        const reader_queries::Query& query = QueryAt(row.page, row.position);
        EXPECT_STREQ(query.command, row.command);

        DeviceStateRecord state;
        LastDisplay display;
        const auto values = query.parse(row.payload, {state, ','});
        ASSERT_TRUE(values);
        query.show(display, *values, false);
        EXPECT_EQ(display.line, row.shown);
        if (row.stored) {
            EXPECT_EQ(row.stored(state), row.expectedStored);
        }

        query.show(display, {3, "?", "?"}, true);
        EXPECT_EQ(display.line, row.shownAfterFailure);
    }
}

TEST(ReaderQueriesTest, ErrorRepliesAreIgnoredByEveryRow) {
    for (const Row& row : Rows) {
        SCOPED_TRACE(row.command);
        DeviceStateRecord state;
        state.StartGeneratorOff = 4242;
        state.SpeedFaktor = 4242;
        EXPECT_FALSE(QueryAt(row.page, row.position).parse("Fehler: Parameter", {state, ','}));
        EXPECT_EQ(state.StartGeneratorOff.load(), 4242);
        EXPECT_EQ(state.SpeedFaktor.load(), 4242);
    }
}

TEST(ReaderQueriesTest, PagesBeyondThePcPageHaveNoQueries) {
    EXPECT_EQ(reader_queries::PageQueries(-1), std::nullopt);
    EXPECT_EQ(reader_queries::PageQueries(4), std::nullopt);
}

}  // namespace
