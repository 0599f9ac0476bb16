// Which form the dimming overlay takes in which desktop session, and the form that covers the
// main window alone: it dims the main window in each colour, takes its clicks, follows its
// size, and is gone again after Uncover.
#include <gtest/gtest.h>

#include <QImage>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include "DialogDriver.h"
#include "EnvironmentOverride.h"
#include "TForm_Abdeckung.h"

using dialog_test::WaitUntil;
using Form = TForm_Abdeckung::Form;

namespace {

TEST(OverlayForm, AWaylandSessionNativeOrThroughXWaylandCoversTheMainWindowOnly) {
    struct Row {
        const char* waylandDisplay;
        const char* sessionType;
        Form form;
    };
    const Row rows[] = {
        {"", "", Form::ScreenWindow},
        {"", "x11", Form::ScreenWindow},
        {"", "tty", Form::ScreenWindow},
        {"wayland-0", "", Form::MainWindowCover},
        {"", "wayland", Form::MainWindowCover},
        {"wayland-1", "x11", Form::MainWindowCover},  // a compositor nested in an X session
    };
    for (const Row& row : rows) {
        // Empty stands for unset.
        const EnvironmentOverride display("WAYLAND_DISPLAY", row.waylandDisplay);
        const EnvironmentOverride session("XDG_SESSION_TYPE", row.sessionType);
        const QString name = QStringLiteral("'%1' / '%2'").arg(row.waylandDisplay, row.sessionType);
        EXPECT_EQ(TForm_Abdeckung::FormForSession(), row.form) << name.toStdString();
        QWidget mainWindow;
        const TForm_Abdeckung overlay(&mainWindow);
        EXPECT_EQ(overlay.CoverForm(), row.form) << name.toStdString();
        EXPECT_EQ(overlay.isWindow(), row.form == Form::ScreenWindow) << name.toStdString();
    }
    QWidget* noMainWindow = nullptr;
    EXPECT_EQ(TForm_Abdeckung(noMainWindow, Form::MainWindowCover).CoverForm(), Form::ScreenWindow)
        << "nothing to cover but the screen";
}

class MainWindowCoverTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QPalette palette = mainWindow.palette();
        palette.setColor(QPalette::Window, Behind);
        mainWindow.setPalette(palette);
        mainWindow.setAutoFillBackground(true);
        mainWindow.resize(673, 573);
        button.setGeometry(20, 20, 102, 42);
        QObject::connect(&button, &QPushButton::clicked, [this] { ++clicks; });
        mainWindow.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&mainWindow));
    }
    // A click as the window system delivers it: to whatever lies at that point of the window.
    void ClickOnButton() {
        QTest::mouseClick(mainWindow.windowHandle(), Qt::LeftButton, {},
                          button.geometry().center());
    }
    QColor SeenAt(QPoint point) { return mainWindow.grab().toImage().pixelColor(point); }

    static inline const QColor Behind{200, 180, 40};
    QWidget mainWindow;
    QPushButton button{&mainWindow};
    TForm_Abdeckung overlay{&mainWindow, Form::MainWindowCover};
    int clicks = 0;
};

TEST_F(MainWindowCoverTest, CoversTheWholeMainWindowTakesItsClicksAndGoesOnUncover) {
    EXPECT_TRUE(overlay.isHidden()) << "does not come up with the main window";
    ClickOnButton();
    ASSERT_EQ(clicks, 1);

    overlay.Cover();
    EXPECT_FALSE(overlay.isWindow());
    EXPECT_EQ(overlay.parentWidget(), &mainWindow);
    EXPECT_TRUE(overlay.isVisible());
    EXPECT_EQ(overlay.geometry(), mainWindow.rect());
    EXPECT_EQ(mainWindow.childAt(button.geometry().center()), &overlay);
    ClickOnButton();
    EXPECT_EQ(clicks, 1) << "the click stops at the overlay";

    mainWindow.resize(801, 601);
    EXPECT_TRUE(WaitUntil([&] { return overlay.geometry() == mainWindow.rect(); }))
        << "follows the main window's size";

    overlay.Uncover();
    EXPECT_FALSE(overlay.isVisible());
    ClickOnButton();
    EXPECT_EQ(clicks, 2) << "the button is reached again";
}

// The main window shows through the colour at alpha 157; after Uncover it shows plain again.
TEST_F(MainWindowCoverTest, DimsTheMainWindowInEachColour) {
    struct Row {
        void (TForm_Abdeckung::*operation)();
        QColor colour;
    };
    const Row rows[] = {
        {&TForm_Abdeckung::Cover, QColor(0, 0, 0)},
        {&TForm_Abdeckung::CoverOk, QColor(0, 128, 0)},
        {&TForm_Abdeckung::CoverError, QColor(255, 0, 0)},
    };
    const auto blend = [](int colour, int behind) { return (colour * 157 + behind * 98) / 255; };
    const QPoint background(400, 400);
    for (const Row& row : rows) {
        (overlay.*row.operation)();
        const QColor seen = SeenAt(background);
        EXPECT_NEAR(seen.red(), blend(row.colour.red(), Behind.red()), 2)
            << row.colour.name().toStdString();
        EXPECT_NEAR(seen.green(), blend(row.colour.green(), Behind.green()), 2);
        EXPECT_NEAR(seen.blue(), blend(row.colour.blue(), Behind.blue()), 2);
    }
    overlay.Uncover();
    EXPECT_EQ(SeenAt(background), Behind);
}

}  // namespace
