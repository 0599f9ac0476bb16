// plot draws a recording: checked at a few pixels where the parts must be, and against lines
// that are not a recording's.
#include <gtest/gtest.h>

#include <QImage>
#include <fstream>
#include <sstream>

#include "CliArguments.h"
#include "PlotCommand.h"
#include "PlotPainter.h"
#include "RecordLine.h"
#include "TemporaryFolder.h"

namespace {

using test_support::TemporaryFolder;

constexpr const char* Start = "2026-12-09T07:00:00.000+01:00";
constexpr int Seconds = 10;

std::string TimeAt(int second) {
    char text[64];
    std::snprintf(text, sizeof text, "2026-12-09T07:00:%02d.000+01:00", second);
    return text;
}

// A connected line: input and output speed, start input set or clear, other lines clear.
std::string ConnectedLine(int second, int input, int output, bool startInput) {
    std::string line = TimeAt(second) + ",connected,COM5,0,100,100,0,0,2,500,1000," +
                       std::to_string(input) + "," + std::to_string(output) + ",";
    line += startInput ? "1" : "0";
    line += ",0,0,0,0,0,0,0,0,5\n";
    return line;
}

std::string SearchingLine(int second) {
    return TimeAt(second) + ",searching" + std::string(record_line::ColumnNames().size() - 2, ',') +
           "\n";
}

// Ten seconds: the start input set from 1 s to 3 s, the link lost from 4 s to 6 s.
std::string SmallRecording() {
    std::string text = record_line::Header();
    for (int second = 0; second <= Seconds; ++second) {
        const bool lost = second >= 4 && second < 6;
        text += lost ? SearchingLine(second)
                     : ConnectedLine(second, 500 + second, 600, second >= 1 && second < 3);
    }
    return text;
}

class PlotTest : public ::testing::Test {
  protected:
    int Plot(const std::string& text, std::vector<std::string> options) {
        std::ofstream(file_) << text;
        std::vector<std::string> arguments = {"plot", file_};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const ParsedCommandLine parsed = CliArguments::Parse(arguments);
        EXPECT_TRUE(parsed.arguments) << parsed.problem;
        output_.str({});
        return parsed.arguments ? PlotRecording(*parsed.arguments, output_) : -1;
    }

    // The picture's column at a time of the small recording.
    static int XAt(double second) {
        const QRectF area = PlotPainter::SpeedArea();
        return static_cast<int>(area.left() + area.width() * second / Seconds);
    }

    TemporaryFolder folder_;
    std::string file_ = folder_.file("shift.csv");
    std::ostringstream output_;
};

TEST_F(PlotTest, PngShowsSpeedsLinesAndTheLostLinkWhereTheyAre) {
    const std::string png = folder_.file("shift.png");
    ASSERT_EQ(Plot(SmallRecording(), {"--out", png}), 0) << output_.str();
    EXPECT_EQ(output_.str(), "Drew 11 lines of " + file_ + " into " + png + ".\n");
    const QImage image(QString::fromStdString(png));
    ASSERT_EQ(image.size(), PlotPainter::PictureSize);

    const QRectF speed = PlotPainter::SpeedArea();
    const int lanes = 9;
    const QRectF startInput = PlotPainter::LaneRect(lanes, 0);
    const QRectF startOutput = PlotPainter::LaneRect(lanes, 1);
    auto pixel = [&](int x, double y) { return image.pixelColor(x, static_cast<int>(y)); };

    // The lost link is shaded over the speeds and the lanes alike.
    EXPECT_EQ(pixel(XAt(5), speed.top() + 10), QColor(200, 200, 200));
    EXPECT_EQ(pixel(XAt(5), startOutput.center().y()), QColor(200, 200, 200));
    // The start input is drawn set from 1 s to 3 s, and clear after.
    EXPECT_EQ(pixel(XAt(2), startInput.center().y()), QColor(200, 30, 30));
    EXPECT_EQ(pixel(XAt(8), startInput.center().y()), QColor(Qt::white));
    EXPECT_EQ(pixel(XAt(2), startOutput.center().y()), QColor(Qt::white));
    // Somewhere in the column at 2.5 s the input speed is drawn, and the output speed.
    auto columnHas = [&](int x, const QColor& colour) {
        for (int y = static_cast<int>(speed.top()); y < speed.bottom(); ++y) {
            if (image.pixelColor(x, y) == colour) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(columnHas(XAt(2.5), QColor(31, 119, 180)));
    EXPECT_TRUE(columnHas(XAt(2.5), QColor(230, 110, 20)));
    EXPECT_FALSE(columnHas(XAt(5), QColor(31, 119, 180)));  // no speed while the link is lost
}

TEST_F(PlotTest, LinesThatAreNoRecordingLinesAreLeftOutAndCounted) {
    std::string text = SmallRecording();
    text += std::string(5000, '7') + "\n";                         // far too long
    text += TimeAt(11) + ",connected,COM5\n";                      // too few columns
    text += ConnectedLine(12, 5, 600, false).replace(70, 1, "x");  // not a number
    std::string lost = SearchingLine(13);
    text += lost.replace(lost.find("searching"), 9, "sleeping");  // no such state
    text += "yesterday" + SearchingLine(14).substr(29);           // no time
    std::string badBit = ConnectedLine(15, 500, 600, false);
    text += badBit.replace(badBit.size() - 5, 1, "2");  // a line is 0 or 1
    text += ConnectedLine(16, 500, 600, false);         // whole again
    const std::string svg = folder_.file("shift.svg");
    ASSERT_EQ(Plot(text, {"--out", svg}), 0) << output_.str();
    EXPECT_NE(output_.str().find("Drew 12 lines"), std::string::npos) << output_.str();
    EXPECT_NE(output_.str().find("Left out 6 lines"), std::string::npos) << output_.str();
    std::stringstream picture;
    picture << std::ifstream(svg).rdbuf();
    EXPECT_NE(picture.str().find("<svg"), std::string::npos);
    EXPECT_NE(picture.str().find("viewBox=\"0 0 1200 700\""), std::string::npos);
}

TEST_F(PlotTest, FromAndToKeepTheirStretchAndAnEmptyStretchDrawsNothing) {
    const std::string png = folder_.file("part.png");
    ASSERT_EQ(Plot(SmallRecording(), {"--from", "2026-12-09T07:00:02+01:00", "--to",
                                      "2026-12-09T06:00:04Z", "--out", png}),
              0)
        << output_.str();
    EXPECT_NE(output_.str().find("Drew 3 lines"), std::string::npos) << output_.str();

    EXPECT_EQ(Plot(SmallRecording(), {"--from", "2026-12-10T00:00+01:00", "--out", png}), 1);
    EXPECT_NE(output_.str().find("nothing was drawn"), std::string::npos) << output_.str();
    EXPECT_EQ(Plot(SmallRecording(), {"--from", "half past seven", "--out", png}), 1);
}

TEST_F(PlotTest, AFileThatIsNoRecordingIsRefused) {
    EXPECT_EQ(Plot("start-mode = 1\n", {"--out", folder_.file("x.png")}), 1);
    EXPECT_NE(output_.str().find("not a recording"), std::string::npos) << output_.str();
    EXPECT_EQ(Plot(std::string(100000, 'x'), {"--out", folder_.file("x.png")}), 1);
}

}  // namespace
