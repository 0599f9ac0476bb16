// The main window's general menu and its print to fit.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QTabBar>
#include <QTest>
#include <map>

#include "GeneralPopupMenu.h"
#include "ProcessingWait.h"
#include "ProgramSandbox.h"
#include "ProgramWindows.h"
#include "TFormSpeedFaktor.h"
#include "TFormStartDelay.h"
#include "TFormStartModus.h"
#include "TForm_Abdeckung.h"
#include "WindowPrint.h"

namespace {

// The window is wider than tall: a portrait page is filled across, a landscape one down.
TEST(WindowPrintTest, PictureFillsTheWidthOrTheHeightAndKeepsItsShape) {
    const std::tuple<QSize, QSize, QRect> pages[] = {
        {{673, 573}, {1000, 1414}, {0, 0, 1000, 851}},
        {{673, 573}, {1414, 1000}, {0, 0, 1175, 1000}},
        {{673, 573}, {673, 573}, {0, 0, 673, 573}},
    };
    for (const auto& [picture, page, expected] : pages) {
        QImage red(picture, QImage::Format_RGB32);
        red.fill(Qt::red);
        QImage sheet(page, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        QPainter painter(&sheet);
        window_print::DrawToFit(painter, page, red);
        painter.end();
        QRect printed;
        for (int y = 0; y < sheet.height(); ++y) {
            for (int x = 0; x < sheet.width(); ++x) {
                if (qRed(sheet.pixel(x, y)) > 200 && qGreen(sheet.pixel(x, y)) < 50) {
                    printed |= QRect(x, y, 1, 1);
                }
            }
        }
        EXPECT_EQ(printed, expected) << page.width() << " x " << page.height();
    }
}

class PaintCountingWindow : public QWidget {
  public:
    int paints = 0;

  protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

// Where nothing composites, an action that pictures the screen while the menu is still on it
// freezes the menu into the dimmed picture: every item waits until the menu has left the
// screen, the event loop has turned and the window has painted itself again.
TEST(GeneralPopupMenuTest, EveryItemRunsOnlyAfterTheMenuLeftTheScreen) {
    PaintCountingWindow window;
    window.resize(300, 200);
    window.show();
    struct Run {
        bool ran = false;
        bool menuShown = true;
        bool duringTheChoice = true;
        bool windowPaintedSinceHiding = false;
    };
    std::map<std::string, Run> runs;
    QMenu* menu = nullptr;
    bool choosing = false;
    int paintsWhenHidden = 0;
    const auto record = [&](const char* name) {
        return [&, name] {
            runs[name] = {true, menu->isVisible(), choosing, window.paints > paintsWhenHidden};
        };
    };
    GeneralPopupMenu::Actions actions;
    actions.PrintScreen = record("PrintScreen");
    actions.Hilfe = record("Hilfe");
    actions.Support = record("Support");
    actions.Update = record("Update");
    actions.Info = record("Info");
    menu = GeneralPopupMenu::Make(&window, actions);
    QObject::connect(menu, &QMenu::aboutToHide, [&] { paintsWhenHidden = window.paints; });

    for (const char* name : {"PrintScreen", "Hilfe", "Support", "Update", "Info"}) {
        menu->popup(window.mapToGlobal(QPoint(10, 10)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu)) << name;
        QAction* item = GeneralPopupMenu::Item(menu, name);
        choosing = true;
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        choosing = false;
        ASSERT_TRUE(WaitProcessingEvents([&] { return runs[name].ran; }, 10000)) << name;
        EXPECT_FALSE(runs[name].menuShown) << name;
        EXPECT_FALSE(runs[name].duringTheChoice) << name;
        EXPECT_TRUE(runs[name].windowPaintedSinceHiding) << name;
    }
}

class GeneralMenuTest : public ::testing::Test {
  protected:
    void SetUp() override {
        windows_ = std::make_unique<ProgramWindows>([](const QString&) {});
        main().show();
    }
    TForm_Main& main() { return windows_->Main(); }
    // Right-clicks the widget; true when the general menu opened (it is closed again).
    bool generalMenuOpensOn(QWidget* widget) {
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2),
                                widget->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(widget, &click);
        const bool opened = main().PopupMenu_Algemein->isVisible();
        main().PopupMenu_Algemein->hide();
        return opened;
    }

    ProgramSandbox sandbox_;
    std::unique_ptr<ProgramWindows> windows_;
};

TEST_F(GeneralMenuTest, OpensWhereNoControlHasAMenuOfItsOwn) {
    const std::pair<QWidget*, bool> clicks[] = {
        {main().PageControl_Kalvio->tabBar(), true},
        {main().findChild<QLabel*>("Label_StartModus"), true},
        {main().findChild<QGroupBox*>("GroupBox_StartModus"), true},
        {&main(), true},
        {main().findChild<QLineEdit*>("Edit_StartModus"), false},
        {main().findChild<QLineEdit*>("Edit_VersionKalvio"), false},
    };
    for (const auto& [widget, opens] : clicks) {
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(generalMenuOpensOn(widget), opens) << widget->objectName().toStdString();
    }
    QStringList items;
    for (const QAction* item : main().PopupMenu_Algemein->actions()) {
        items << (item->isSeparator() ? "-" : item->objectName());
        EXPECT_TRUE(item->isSeparator() || !item->icon().isNull())
            << item->objectName().toStdString();
    }
    EXPECT_EQ(items, (QStringList{"PrintScreen", "-", "Hilfe", "Support", "Update", "Info"}));
}

// The parameter dialogs' value fields and lists offer no menu either.
TEST_F(GeneralMenuTest, DialogValueFieldsOfferNoMenu) {
    const std::pair<QWidget*, const char*> fields[] = {
        {FormStartDelay, "Edit_StartDelay"},
        {FormSpeedFaktor, "Edit_SpeedIst"},
        {FormStartModus, "ComboBox_StartModus"},
    };
    for (const auto& [dialog, name] : fields) {
        dialog->show();
        const auto* field = dialog->findChild<QWidget*>(name);
        ASSERT_NE(field, nullptr) << name;
        EXPECT_EQ(field->contextMenuPolicy(), Qt::PreventContextMenu) << name;
        dialog->hide();
    }
}

// One page in a PDF, and the picture is the window's own: covering the screen changes nothing.
TEST_F(GeneralMenuTest, PrintsTheWindowAloneOnOnePage) {
    const QImage uncovered = window_print::WindowPicture(main());
    Form_Abdeckung->Cover();
    EXPECT_EQ(window_print::WindowPicture(main()), uncovered);
    Form_Abdeckung->Uncover();

    const QString pdf = QString::fromStdString(sandbox_.Root().file("window.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    window_print::PrintToFit(main(), printer);
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    const QByteArray bytes = printed.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_TRUE(bytes.contains("/Count 1")) << "one page";
}

}  // namespace
