// The picture preview in the running dialog: a thumbnail for each loadable format, none for the
// candidates that do not load, and a large preview that follows the wheel and closes on a
// click, restoring the view.
#include <QCheckBox>
#include <QFrame>
#include <QTest>
#include <QWheelEvent>

#include "DialogFixture.h"
#include "ImagePreview.h"
#include "PictureSamples.h"

namespace {

using namespace picture_samples;

class PreviewInDialog : public DialogFixture {
  protected:
    void write(const QString& name, const QByteArray& bytes) {
        writeFile(folder.path(name), bytes);
    }
    QWidget* thumbnail() const { return control<QWidget>("Image_Vorschau"); }
    QFrame* largePanel() const { return control<QFrame>("Panel_Vorschau"); }
    QString sizeCaption() const { return control<QCheckBox>("CheckBox_Size")->text(); }
    // The preview loads on a worker; what it shows is there once it is done.
    void waitForPicture() {
        EXPECT_TRUE(waitFor([&] { return !dialog->preview()->isLoading(); }));
    }
    void wheelDown() {
        QWidget* over = dialog->list()->activeView()->viewport();
        QWheelEvent wheel(QPointF(5, 5), over->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(over, &wheel);
    }
};

TEST_F(PreviewInDialog, EveryLoadableFormatShowsAThumbnailWithItsSize) {
    write("a.bmp", encoded(solid({30, 20}, Qt::red), "bmp"));
    write("b.ico", encoded(solid({16, 16}, Qt::green, QImage::Format_ARGB32), "ico"));
    write("c.jpg", encoded(solid({64, 48}, Qt::blue), "jpg"));
    write("d.wmf", committed("frame.wmf"));
    write("e.emf", committed("frame.emf"));
    write("f.jfif", encoded(solid({8, 8}, Qt::blue), "jpg"));
    write("g.jpg", encoded(solid({8, 8}, Qt::blue), "jpg").left(40));
    write("h.txt", "text");
    prepare(TForm_FileDialog::OpenMode, "*");
    dialog->show();
    const struct {
        const char* name;
        bool shown;
        const char* caption;  // once loaded
    } cases[] = {
        {"a.bmp", true, "30x20"},  {"b.ico", true, "16x16"},  {"c.jpg", true, "64x48"},
        {"d.wmf", true, nullptr},  {"e.emf", true, nullptr},  {"f.jfif", false, nullptr},
        {"g.jpg", false, nullptr}, {"h.txt", false, nullptr},
    };
    for (const auto& c : cases) {
        select(c.name);
        waitForPicture();
        EXPECT_EQ(thumbnail()->isVisible(), c.shown) << c.name;
        if (c.caption != nullptr) {
            EXPECT_EQ(sizeCaption(), c.caption) << c.name;
        }
    }
}

TEST_F(PreviewInDialog, LargePreviewFollowsTheWheelAndClosesOnAClick) {
    write("a.bmp", encoded(solid({30, 20}, Qt::red), "bmp"));
    write("b.bmp", encoded(solid({40, 10}, Qt::red), "bmp"));
    prepare(TForm_FileDialog::OpenMode, "bmp");
    dialog->SpeedButton_ListClick();
    dialog->show();
    select("a.bmp");
    waitForPicture();
    control<QToolButton>("SpeedButton_Vorschau")->click();
    ASSERT_TRUE(largePanel()->isVisible());
    EXPECT_EQ(largePanel()->geometry(), dialog->list()->geometry());
    EXPECT_EQ(dialog->list()->viewStyle(), VirtualListView::ViewStyle::Report);
    EXPECT_FALSE(control<QFrame>("Panel_Oben")->isEnabled());
    EXPECT_EQ(sizeCaption(), "30x20");

    wheelDown();
    waitForPicture();
    EXPECT_EQ(selectedName(), "b.bmp");
    EXPECT_EQ(sizeCaption(), "40x10") << "the large preview follows the selection";

    QTest::mouseClick(control<QWidget>("Image_VorschauGross"), Qt::LeftButton);
    EXPECT_FALSE(largePanel()->isVisible());
    EXPECT_EQ(dialog->list()->viewStyle(), VirtualListView::ViewStyle::List);
    EXPECT_TRUE(control<QFrame>("Panel_Oben")->isEnabled());
    EXPECT_TRUE(thumbnail()->isVisible());
}

}  // namespace
