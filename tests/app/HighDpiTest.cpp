// On a screen scaled by 2 the pages and dialogs draw their pictures, glyphs and shapes with the
// screen's own pixels: nothing is a picture of its logical size blown up, and borders are as
// thick on every side. The scale is the whole process's, so these tests have a binary of their
// own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <cstdlib>

#include "DeviceStateRecord.h"
#include "ShapeWidget.h"
#include "StartSignalPage.h"
#include "TFormStartDelay.h"

namespace {

constexpr qreal Scale = 2;

bool Near(QRgb pixel, const QColor& colour, int tolerance = 8) {
    return qAlpha(pixel) == 255 && std::abs(qRed(pixel) - colour.red()) <= tolerance &&
           std::abs(qGreen(pixel) - colour.green()) <= tolerance &&
           std::abs(qBlue(pixel) - colour.blue()) <= tolerance;
}

// How many pixels of the colour follow one another from `from` in the direction `step`.
int RunOf(const QImage& image, QPoint from, QPoint step, const QColor& colour) {
    int run = 0;
    for (QPoint at = from; image.rect().contains(at) && Near(image.pixel(at), colour); at += step) {
        ++run;
    }
    return run;
}

class HighDpiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sheet_.resize(653, 553);
        page_ = std::make_unique<StartSignalPage>(&sheet_, state_);
        page_->Layout(1);  // the generator: a picture with edges, a yellow box border
        sheet_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet_));
        ASSERT_EQ(sheet_.devicePixelRatioF(), Scale) << "QT_SCALE_FACTOR did not take";
    }

    DeviceStateRecord state_;
    QWidget sheet_;
    std::unique_ptr<StartSignalPage> page_;
};

// The box's one-pixel border: two screen pixels on each of the four sides, beginning at the
// outermost pixel, the fill right after, and the corners closed.
TEST_F(HighDpiTest, BoxBorderIsEvenOnAllFourSides) {
    ShapeWidget* box = page_->Shape_StartUebersicht;
    const QImage picture = box->grab().toImage();
    ASSERT_EQ(picture.size(), box->size() * Scale);
    const int right = picture.width() - 1;
    const int bottom = picture.height() - 1;
    const int middleX = picture.width() / 2;
    const int middleY = picture.height() / 2;
    const struct {
        const char* side;
        QPoint edge;
        QPoint inward;
    } sides[] = {
        {"left", {0, middleY}, {1, 0}},
        {"right", {right, middleY}, {-1, 0}},
        {"top", {middleX, 0}, {0, 1}},
        {"bottom", {middleX, bottom}, {0, -1}},
    };
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)}) {
        EXPECT_TRUE(Near(picture.pixel(corner), box->penColor()))
            << "corner " << corner.x() << ", " << corner.y();
    }
    for (const auto& side : sides) {
        const int border = RunOf(picture, side.edge, side.inward, box->penColor());
        EXPECT_EQ(border, int(Scale)) << side.side;
        EXPECT_TRUE(Near(picture.pixel(side.edge + side.inward * border), box->brushColor()))
            << side.side << ": the fill follows the border";
    }
}

// A mode picture's edge goes from the box's fill to its full colour within one screen pixel; a
// picture drawn at its logical size and blown up has no pixel of the full colour at all.
TEST_F(HighDpiTest, ModePictureEdgesAreSharp) {
    QLabel* image = page_->Image_StartUebersicht;
    EXPECT_EQ(image->pixmap().devicePixelRatio(), Scale);
    const QImage picture = image->parentWidget()->grab(image->geometry()).toImage();
    const QColor fill = page_->Shape_StartUebersicht->brushColor();
    const QColor edge(128, 128, 128);
    // Between the high and the low line only the gray edges cross this row.
    const int y = int(28 * Scale);
    int edges = 0;
    for (int x = 0; x < picture.width(); ++x) {
        if (Near(picture.pixel(x, y), fill, 0)) {
            continue;
        }
        int ramp = 0;
        while (x + ramp < picture.width() && !Near(picture.pixel(x + ramp, y), edge) && ramp <= 4) {
            ++ramp;
        }
        EXPECT_LE(ramp, 1) << "edge at device pixel " << x;
        ++edges;
        while (x < picture.width() && !Near(picture.pixel(x, y), fill, 0)) {
            ++x;
        }
    }
    EXPECT_EQ(edges, 3) << "the square wave's three edges";
}

// The glyphs come as the style asks for them: at the icon size times the screen's ratio, drawn
// anew, with the edit glyph's outline on whole screen pixels.
TEST_F(HighDpiTest, GlyphsAreDrawnAtTheScreensPixels) {
    QToolButton* edit = page_->SpeedButton_StartModus;
    const QPixmap glyph = edit->icon().pixmap(edit->iconSize(), Scale);
    ASSERT_EQ(glyph.size(), edit->iconSize() * Scale);
    EXPECT_EQ(glyph.devicePixelRatio(), Scale);
    const QImage sheet = glyph.toImage();
    // The sheet's top outline: logical row 1, screen rows 2 and 3; above it nothing, below it
    // the white sheet.
    const int x = sheet.width() / 2 + 3;
    EXPECT_EQ(qAlpha(sheet.pixel(x, 1)), 0);
    EXPECT_EQ(RunOf(sheet, {x, 2}, {0, 1}, QColor(64, 64, 64)), int(Scale));
    EXPECT_TRUE(Near(sheet.pixel(x, 4), Qt::white));

    QWidget mainWindow;
    TFormStartDelay dialog(&mainWindow, state_, nullptr);
    for (const char* name : {"BitBtn_OK", "BitBtn_Cancel"}) {
        auto* button = dialog.findChild<QPushButton*>(QLatin1String(name));
        ASSERT_NE(button, nullptr) << name;
        const QPixmap drawn = button->icon().pixmap(button->iconSize(), Scale);
        EXPECT_EQ(drawn.size(), button->iconSize() * Scale) << name;
        EXPECT_EQ(drawn.devicePixelRatio(), Scale) << name;
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
