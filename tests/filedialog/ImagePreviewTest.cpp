#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>
#include <string>
#include <vector>

#include "FolderFixture.h"
#include "ImagePreview.h"
#include "PictureSamples.h"
#include "PictureView.h"

using namespace picture_samples;

namespace {

using Calls = std::vector<std::string>;

class RecordingHost : public ImagePreviewHost {
  public:
    void showListInDetails() override { calls.push_back("details"); }
    void restoreListView() override { calls.push_back("restore view"); }
    void setToolRowEnabled(bool enabled) override {
        calls.push_back(enabled ? "tools on" : "tools off");
    }
    void focusList() override { calls.push_back("focus list"); }
    QColor fileNameFieldColour() const override { return QColor(192, 220, 192); }

    Calls calls;
};

// The dialog's arrangement in small: the list above the file-name row, and a bottom panel
// with OK and Cancel on the right.
class ImagePreviewTest : public ::testing::Test {
  protected:
    ImagePreviewTest() {
        window.resize(632, 453);
        auto* column = new QVBoxLayout(&window);
        auto* middle = new QWidget(&window);
        auto* middleColumn = new QVBoxLayout(middle);
        list = new QListWidget(middle);
        label = new QLabel(QStringLiteral("Dateiname:"), middle);
        field = new QLineEdit(middle);
        auto* nameRow = new QHBoxLayout();
        nameRow->addWidget(label);
        nameRow->addWidget(field, 1);
        middleColumn->addWidget(list, 1);
        middleColumn->addLayout(nameRow);
        bottom = new QWidget(&window);
        bottom->setFixedHeight(35);
        auto* buttons = new QHBoxLayout(bottom);
        buttons->addStretch(1);
        buttons->addWidget(new QPushButton(QStringLiteral("OK"), bottom));
        buttons->addWidget(new QPushButton(QStringLiteral("Abbrechen"), bottom));
        column->addWidget(middle, 1);
        column->addWidget(bottom);
        preview = std::make_unique<ImagePreview>(host, bottom, list, field);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        writeFile(folder.path("photo.jpg"), encoded(solid(QSize(64, 48), Qt::red), "jpg"));
        writeFile(folder.path("small.bmp"), encoded(solid(QSize(30, 20), Qt::blue), "bmp"));
    }

    template <typename Widget>
    Widget* control(const char* name) const {
        auto* widget = window.findChild<Widget*>(QLatin1String(name));
        if (widget == nullptr) {
            ADD_FAILURE() << "no control named " << name;
        }
        return widget;
    }
    PictureView* thumbnail() const { return control<PictureView>("Image_Vorschau"); }
    QToolButton* button() const { return control<QToolButton>("SpeedButton_Vorschau"); }
    QFrame* panel() const { return control<QFrame>("Panel_Vorschau"); }
    PictureView* largeImage() const { return control<PictureView>("Image_VorschauGross"); }
    QCheckBox* sizeBox() const { return control<QCheckBox>("CheckBox_Size"); }
    QByteArray path(const char* name) const { return QFile::encodeName(folder.path(name)); }
    int fieldLeftInBottom() const {
        return field->mapTo(&window, QPoint(0, 0)).x() - bottom->mapTo(&window, QPoint(0, 0)).x();
    }
    // The preview's update and opening load on a worker; what they show is there once it is done.
    void load(const char* shown, const char* file) {
        preview->update(QLatin1String(shown), path(file));
        waitForPicture();
    }
    void waitForPicture() {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !preview->isLoading(); }, 10000));
    }
    // Delivered through the window, as a real click, so that the thumbnail's transparency counts.
    void click(QWidget* widget) {
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          widget->mapTo(&window, widget->rect().center()));
    }

    FolderFixture folder;
    RecordingHost host;
    QWidget window;
    QListWidget* list;
    QLabel* label;
    QLineEdit* field;
    QWidget* bottom;
    std::unique_ptr<ImagePreview> preview;
};

TEST_F(ImagePreviewTest, ThumbnailShowsTheNamedPictureUnderTheField) {
    EXPECT_FALSE(thumbnail()->isVisible());
    EXPECT_FALSE(button()->isVisible());
    EXPECT_EQ(sizeBox()->text(), "100x120");

    load("Photo.JPG", "photo.jpg");
    ASSERT_TRUE(thumbnail()->isVisible());
    EXPECT_TRUE(button()->isVisible());
    EXPECT_EQ(sizeBox()->text(), "64x48");
    EXPECT_EQ(preview->pictureSize(), QSize(64, 48));
    EXPECT_EQ(button()->size(), QSize(105, 25));
    EXPECT_EQ(button()->x(), fieldLeftInBottom());
    EXPECT_EQ(thumbnail()->geometry(), QRect(button()->pos() + QPoint(1, 1), QSize(102, 22)));
    // 64 x 48 fitted into 102 x 22, centred.
    EXPECT_EQ(thumbnail()->pictureRect(), QRect(36, 0, 29, 22));

    label->setMinimumWidth(label->width() + 40);
    ASSERT_TRUE(QTest::qWaitFor([&] { return button()->x() == fieldLeftInBottom(); }));

    const struct {
        const char* shown;
        const char* file;
    } notShown[] = {
        {"photo.txt", "photo.jpg"},  // the shown name decides, not the content
        {"missing.jpg", "missing.jpg"},
        {".jpg", "photo.jpg"},  // a hidden file's name, no extension
    };
    for (const auto& c : notShown) {
        load("Photo.jpg", "photo.jpg");
        ASSERT_TRUE(thumbnail()->isVisible());
        load(c.shown, c.file);
        EXPECT_FALSE(thumbnail()->isVisible()) << c.shown;
        EXPECT_FALSE(button()->isVisible()) << c.shown;
    }
}

TEST_F(ImagePreviewTest, LargePreviewCoversTheListUntilItsImageIsClicked) {
    load("photo.jpg", "photo.jpg");
    click(thumbnail());
    ASSERT_TRUE(preview->isOpen());
    EXPECT_EQ(host.calls, (Calls{"tools off", "details", "focus list"}));
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_EQ(panel()->geometry(), list->geometry());
    EXPECT_EQ(panel()->palette().color(QPalette::Window), QColor(192, 220, 192));
    EXPECT_FALSE(thumbnail()->isVisible());
    EXPECT_FALSE(button()->isVisible());
    EXPECT_TRUE(sizeBox()->isChecked());
    EXPECT_EQ(largeImage()->geometry(), panel()->rect().adjusted(5, 5, -5, -5));
    EXPECT_EQ(largeImage()->pictureRect().size(), QSize(64, 48));
    waitForPicture();
    EXPECT_EQ(largeImage()->picture().size(), QSize(64, 48));

    window.resize(700, 520);
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel()->geometry() == list->geometry(); }));
    EXPECT_EQ(panel()->width(), list->width());

    host.calls.clear();
    click(sizeBox());
    EXPECT_FALSE(sizeBox()->isChecked());
    const QRect fitted = largeImage()->pictureRect();
    EXPECT_TRUE(largeImage()->rect().contains(fitted));
    EXPECT_TRUE(fitted.width() == largeImage()->width() ||
                fitted.height() == largeImage()->height());
    EXPECT_NEAR(double(fitted.width()) / fitted.height(), 64.0 / 48.0, 0.02);
    EXPECT_EQ(host.calls, (Calls{"focus list"}));

    host.calls.clear();
    click(largeImage());
    EXPECT_FALSE(preview->isOpen());
    EXPECT_FALSE(panel()->isVisible());
    EXPECT_TRUE(thumbnail()->isVisible());
    EXPECT_TRUE(button()->isVisible());
    EXPECT_EQ(host.calls, (Calls{"restore view", "tools on", "focus list"}));
}

TEST_F(ImagePreviewTest, WhileOpenEachPictureRedrawsTheLargeImage) {
    load("photo.jpg", "photo.jpg");
    preview->open();
    load("small.bmp", "small.bmp");
    EXPECT_EQ(largeImage()->picture().size(), QSize(30, 20));
    EXPECT_EQ(sizeBox()->text(), "30x20");
    EXPECT_FALSE(thumbnail()->isVisible());

    load("notes.txt", "small.bmp");
    EXPECT_TRUE(preview->isOpen());
    EXPECT_EQ(largeImage()->picture().size(), QSize(30, 20));

    preview->close();
    host.calls.clear();
    preview->close();
    EXPECT_EQ(host.calls, (Calls{"focus list"}));
}

}  // namespace
