// The common dialog frame and the dimming overlay: placement, the frame's controls, and that
// the overlay comes off again on every way out of a dialog.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <stdexcept>

#include "DialogDriver.h"
#include "OverlayCover.h"
#include "TForm_Abdeckung.h"

using dialog_test::Bench;

namespace {

// A frame with one field; OK places a recognisable command.
class ProbeDialog : public ParameterDialogFrame {
  public:
    ProbeDialog(QWidget* mainWindow, DeviceStateRecord& state, Thread_Write* writer)
        : ParameterDialogFrame("FormProbe", "Probe einstellen", "GroupBox_Probe", mainWindow, state,
                               writer) {
        field = new QLineEdit(GroupBox());
        field->setObjectName("Edit_Probe");
    }
    QLineEdit* field;
    QMargins frame;  // as a window manager would frame it once shown
    std::vector<int> keysSeen;
    bool throwOnShowing = false;
    int showings = 0;

  protected:
    QMargins FrameMargins() const override { return frame; }
    void FormShow() override { ++showings; }
    void PlaceCommands() override { PlaceIntoSlots("PROBE 1", "KONFIG.SAVE"); }
    bool FormKeyDown(QKeyEvent* event) override {
        keysSeen.push_back(event->key());
        return event->key() == Qt::Key_F5;  // taken by the dialog, never reaches the field
    }
    int RunModal() override {
        if (throwOnShowing) {
            throw std::runtime_error("showing failed");
        }
        return ParameterDialogFrame::RunModal();
    }
};

// An overlay over a screen of one known colour, with or without a window system that blends.
class OverlayOnKnownScreen : public TForm_Abdeckung {
  public:
    using TForm_Abdeckung::TForm_Abdeckung;
    bool composites = false;
    QColor screenColour{200, 180, 40};

  protected:
    bool Composites() const override { return composites; }
    QPixmap PictureOfScreen(QScreen* screen) const override {
        QPixmap picture(screen->geometry().size());
        picture.fill(screenColour);
        return picture;
    }
};

// What the user sees in the middle of the covered screen: a window system that blends draws
// the overlay over the screen; any other shows the overlay's own pixels, their alpha ignored.
QColor SeenThrough(OverlayOnKnownScreen& overlay) {
    QImage seen = overlay.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (overlay.composites) {
        QImage screen(seen.size(), QImage::Format_ARGB32_Premultiplied);
        screen.fill(overlay.screenColour);
        QPainter(&screen).drawImage(0, 0, seen);
        seen = screen;
    }
    const QRgb pixel = seen.pixel(seen.rect().center());
    return QColor(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

class OverlayFixture : public ::testing::Test, public Bench {
  protected:
    void SetUp() override { Form_Abdeckung = &overlay; }
    void TearDown() override { Form_Abdeckung = nullptr; }
    OverlayOnKnownScreen overlay{&mainWindow};
    ProbeDialog dialog{&mainWindow, state, &writer};
};

TEST(Centring, HalvesAreTruncatedTowardZero) {
    struct Row {
        QRect mainWindow;
        QSize dialog;
        QPoint expected;
    };
    const Row rows[] = {
        {{0, 0, 801, 600}, {339, 216}, {400 - 169, 300 - 108}},
        {{100, 50, 673, 573}, {339, 216}, {100 + 336 - 169, 50 + 286 - 108}},
        {{10, 20, 673, 573}, {517, 216}, {10 + 336 - 258, 20 + 286 - 108}},
        {{-1000, -51, 801, 601}, {339, 217}, {-1000 + 400 - 169, -51 + 300 - 108}},
        {{0, 0, 200, 100}, {339, 216}, {100 - 169, 50 - 108}},  // dialog larger than window
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ParameterDialogFrame::CentredTopLeft(row.mainWindow, row.dialog), row.expected)
            << row.mainWindow.width() << "x" << row.mainWindow.height();
    }
}

TEST_F(OverlayFixture, FrameHasItsSizesNamesAndButtons) {
    EXPECT_EQ(dialog.size(), QSize(339, 216));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "not resizable";
    EXPECT_EQ(dialog.windowTitle(), "Probe einstellen");
    const Qt::WindowFlags flags = dialog.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(dialog.font().pixelSize(), 11);
    EXPECT_TRUE(dialog.font().family() == "Verdana" || dialog.font().family() == "DejaVu Sans");
    EXPECT_EQ(dialog.findChild<QFrame*>("Panel_Mitte")->geometry(), QRect(0, 0, 339, 216));
    ASSERT_NE(dialog.findChild<QWidget*>("BottomPanel"), nullptr);
    ASSERT_NE(dialog.findChild<QGroupBox*>("GroupBox_Probe"), nullptr);
    auto* ok = dialog.findChild<QPushButton*>("BitBtn_OK");
    auto* cancel = dialog.findChild<QPushButton*>("BitBtn_Cancel");
    ASSERT_TRUE(ok && cancel);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_EQ(cancel->text(), "Abbrechen");
    EXPECT_EQ(ok->size(), QSize(102, 42));
    EXPECT_EQ(cancel->size(), QSize(102, 42));
    EXPECT_LT(ok->x(), cancel->x());
    EXPECT_TRUE(ok->isDefault());
}

// The outer frame is centred from the first showing on, before its margins were ever known.
TEST_F(OverlayFixture, EveryShowingIsCentredPreparedAndFocusesCancel) {
    dialog.frame = QMargins(1, 20, 1, 1);
    for (const QRect& where : {QRect(100, 80, 673, 573), QRect(300, 200, 801, 601)}) {
        mainWindow.setGeometry(where);
        dialog.field->setFocus();
        dialog_test::Show(dialog);
        const QPoint centred = ParameterDialogFrame::CentredTopLeft(
            mainWindow.frameGeometry(), dialog.size().grownBy(dialog.frame));
        EXPECT_TRUE(dialog_test::WaitUntil([&] {
            return dialog.geometry().marginsAdded(dialog.frame).topLeft() == centred;
        })) << "outer frame at "
            << dialog.geometry().marginsAdded(dialog.frame).y();
        EXPECT_EQ(dialog.focusWidget(), dialog.BitBtn_Cancel);
        dialog.hide();
    }
    EXPECT_EQ(dialog.showings, 2);
}

TEST_F(OverlayFixture, OverlayColoursVisibilityAndCoverage) {
    struct Row {
        const char* name;
        void (TForm_Abdeckung::*operation)();
        bool visible;
        QColor colour;
    };
    const Row rows[] = {
        {"Cover", &TForm_Abdeckung::Cover, true, QColor(0, 0, 0)},
        {"CoverOk", &TForm_Abdeckung::CoverOk, true, QColor(0, 128, 0)},
        {"CoverError", &TForm_Abdeckung::CoverError, true, QColor(255, 0, 0)},
        {"Uncover", &TForm_Abdeckung::Uncover, false, QColor(0, 0, 0)},
    };
    for (const Row& row : rows) {
        (overlay.*row.operation)();
        EXPECT_EQ(overlay.isVisible(), row.visible) << row.name;
        EXPECT_EQ(overlay.CoverColour(), row.colour) << row.name;
    }
    overlay.Cover();
    EXPECT_EQ(overlay.geometry(), mainWindow.screen()->geometry());
    EXPECT_TRUE(overlay.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(overlay.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(overlay.isEnabled());
    EXPECT_FALSE(overlay.testAttribute(Qt::WA_TransparentForMouseEvents)) << "takes the clicks";
    overlay.CoverError();  // the colour may change while covered
    EXPECT_TRUE(overlay.isVisible());
    EXPECT_EQ(overlay.CoverColour(), QColor(255, 0, 0));
    overlay.Uncover();
}

// The screen shows through the colour at alpha 157, whether the window system blends or not.
TEST_F(OverlayFixture, DimsTheScreenBehindWithOrWithoutBlending) {
    struct Row {
        bool composites;
        void (TForm_Abdeckung::*operation)();
        QColor colour;
    };
    const Row rows[] = {
        {false, &TForm_Abdeckung::Cover, QColor(0, 0, 0)},
        {false, &TForm_Abdeckung::CoverOk, QColor(0, 128, 0)},
        {false, &TForm_Abdeckung::CoverError, QColor(255, 0, 0)},
        {true, &TForm_Abdeckung::Cover, QColor(0, 0, 0)},
        {true, &TForm_Abdeckung::CoverOk, QColor(0, 128, 0)},
    };
    const auto blend = [&](int colour, int behind) { return (colour * 157 + behind * 98) / 255; };
    for (const Row& row : rows) {
        overlay.composites = row.composites;
        (overlay.*row.operation)();
        const QColor seen = SeenThrough(overlay);
        const QColor& behind = overlay.screenColour;
        const QColor& colour = row.colour;
        EXPECT_NEAR(seen.red(), blend(colour.red(), behind.red()), 2) << row.composites;
        EXPECT_NEAR(seen.green(), blend(colour.green(), behind.green()), 2) << row.composites;
        EXPECT_NEAR(seen.blue(), blend(colour.blue(), behind.blue()), 2) << row.composites;
        overlay.Uncover();
    }
}

// Each way out of a covered showing: what closes it, the result, and what reached the slots.
TEST_F(OverlayFixture, EveryWayOutUncoversAndOnlyOkSends) {
    struct Row {
        const char* name;
        std::function<void(ProbeDialog&)> leave;
        int result;
        std::vector<std::string> placed;
    };
    const std::vector<std::string> nothing{"", "", ""};
    const Row rows[] = {
        {"OK",
         [](ProbeDialog& d) { d.BitBtn_OK->click(); },
         QDialog::Accepted,
         {"PROBE 1", "KONFIG.SAVE", ""}},
        {"Cancel", [](ProbeDialog& d) { d.BitBtn_Cancel->click(); }, QDialog::Rejected, nothing},
        {"Escape", [](ProbeDialog& d) { QTest::keyClick(d.field, Qt::Key_Escape); },
         QDialog::Rejected, nothing},
        {"close box", [](ProbeDialog& d) { d.close(); }, QDialog::Rejected, nothing},
        {"Enter with OK disabled, then Escape",
         [](ProbeDialog& d) {
             d.BitBtn_OK->setEnabled(false);
             d.field->setFocus();
             QTest::keyClick(d.field, Qt::Key_Return);
             QTest::keyClick(d.field, Qt::Key_Enter);
             EXPECT_TRUE(d.isVisible()) << "Enter does nothing while OK is disabled";
             QTest::keyClick(d.field, Qt::Key_Escape);
         },
         QDialog::Rejected, nothing},
        {"Enter in the field",
         [](ProbeDialog& d) {
             d.BitBtn_OK->setEnabled(true);
             d.field->setFocus();
             QTest::keyClick(d.field, Qt::Key_Return);
         },
         QDialog::Accepted,
         {"PROBE 1", "KONFIG.SAVE", ""}},
    };
    for (const Row& row : rows) {
        writer.SetSlot1("");
        writer.SetSlot2("");
        bool coveredWhileOpen = false;
        bool timedOut = false;
        const int result = dialog_test::RunModal(
            dialog,
            [&] {
                coveredWhileOpen = overlay.isVisible();
                row.leave(dialog);
            },
            &timedOut);
        EXPECT_FALSE(timedOut) << row.name;
        EXPECT_TRUE(coveredWhileOpen) << row.name;
        EXPECT_FALSE(overlay.isVisible()) << row.name;
        EXPECT_EQ(result, row.result) << row.name;
        EXPECT_EQ(dialog_test::Slots(writer), row.placed) << row.name;
    }
}

TEST_F(OverlayFixture, AnExceptionDuringTheShowingUncoversToo) {
    dialog.throwOnShowing = true;
    EXPECT_THROW(dialog.ShowModalCovered(), std::runtime_error);
    EXPECT_FALSE(overlay.isVisible());
    try {
        OverlayCover cover(&overlay);
        EXPECT_TRUE(overlay.isVisible());
        throw std::logic_error("between Cover and Uncover");
    } catch (const std::logic_error&) {
    }
    EXPECT_FALSE(overlay.isVisible());
}

TEST_F(OverlayFixture, WithoutAnOverlayDialogsStillOpenAndClose) {
    Form_Abdeckung = nullptr;
    bool timedOut = false;
    EXPECT_EQ(dialog_test::RunModal(
                  dialog, [&] { dialog.BitBtn_Cancel->click(); }, &timedOut),
              QDialog::Rejected);
    EXPECT_FALSE(timedOut);
}

// F7 is ignored by the field and passes up through its parents: the dialog still sees it once.
TEST_F(OverlayFixture, KeyPreviewSeesEachKeyOnceBeforeTheFocusedControl) {
    dialog_test::Show(dialog);
    dialog.field->setFocus();
    QTest::keyClicks(dialog.field, "ab");
    QTest::keyClick(dialog.field, Qt::Key_F5);
    QTest::keyClick(dialog.field, Qt::Key_F7);
    EXPECT_EQ(dialog.keysSeen, (std::vector<int>{Qt::Key_A, Qt::Key_B, Qt::Key_F5, Qt::Key_F7}));
    EXPECT_EQ(dialog.field->text(), "ab");
    dialog.hide();
}

TEST_F(OverlayFixture, WithoutAWriterOkSendsNothingAndStillCloses) {
    ProbeDialog orphan(&mainWindow, state, nullptr);
    dialog_test::Show(orphan);
    orphan.BitBtn_OK->click();
    EXPECT_FALSE(orphan.isVisible());
    EXPECT_EQ(orphan.result(), QDialog::Accepted);
}

}  // namespace
