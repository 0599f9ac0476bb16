// Browsing: double click and Enter, Back with its floor, Refresh, type-ahead, views, wheel.
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QTableView>
#include <QTest>
#include <QWheelEvent>
#include <functional>
#include <vector>

#include "DialogFixture.h"
#include "FolderListing.h"

namespace {

class Navigation : public DialogFixture {
  protected:
    void press(int key, const QString& text = QString()) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(dialog->list()->activeView(), &event);
    }
    void wheel(QWidget* over, int delta) {
        QWheelEvent event(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &event);
    }
    QString sub() const { return folder.path("sub"); }
};

TEST_F(Navigation, DoubleClickOpensFolderAndBackStopsAtTheFloor) {
    folder.makeFile("sub/inner/deep.lng");
    folder.makeFile("top.lng");
    prepare(TForm_FileDialog::OpenMode, "lng");
    dialog->show();
    EXPECT_FALSE(tool("SpeedButton_Back")->isEnabled()) << "the start folder is the floor";

    select("sub");
    dialog->lstvwVirtualListDblClick();
    EXPECT_EQ(dialog->currentPath(), sub());
    press(Qt::Key_Return);
    EXPECT_EQ(dialog->currentPath(), folder.path("sub/inner"));
    EXPECT_TRUE(tool("SpeedButton_Back")->isEnabled());

    press(Qt::Key_Backspace);
    EXPECT_EQ(dialog->currentPath(), sub());
    EXPECT_EQ(selectedName(), "inner") << "the folder just left is selected";
    tool("SpeedButton_Back")->click();
    EXPECT_EQ(dialog->currentPath(), folder.path());
    EXPECT_EQ(selectedName(), "sub");
    EXPECT_FALSE(tool("SpeedButton_Back")->isEnabled());
    dialog->SpeedButton_BackClick();
    EXPECT_EQ(dialog->currentPath(), folder.path()) << "Back never passes the floor";
}

TEST_F(Navigation, BackClimbsToTheComputerWhichStaysPut) {
    prepare(TForm_FileDialog::OpenMode, "lng", QString(), "/", "::{none}");
    EXPECT_TRUE(tool("SpeedButton_Back")->isEnabled());
    dialog->SpeedButton_BackClick();
    EXPECT_EQ(dialog->currentPath(), FolderLocation::ComputerPath);
    EXPECT_EQ(selectedName(), "/");
    EXPECT_EQ(control<QLineEdit>("Edit_Pfad")->text(), "Computer");
    EXPECT_FALSE(tool("SpeedButton_Back")->isEnabled());
    dialog->SpeedButton_BackClick();
    EXPECT_EQ(dialog->currentPath(), FolderLocation::ComputerPath);
    EXPECT_TRUE(shownNames().contains("/"));
}

TEST_F(Navigation, RefreshKeepsTheSelectedRowByName) {
    for (const char* name : {"b.txt", "c.txt", "report.txt"}) {
        folder.makeFile(name);
    }
    folder.makeFolder("report.txt.old");
    prepare(TForm_FileDialog::OpenMode, "txt");
    select("c.txt");
    folder.makeFile("a.txt");
    tool("SpeedButton_Refresh")->click();
    EXPECT_EQ(shownNames(),
              QStringList({"report.txt.old", "a.txt", "b.txt", "c.txt", "report.txt"}));
    EXPECT_EQ(selectedName(), "c.txt");
    select("report.txt");
    dialog->RefreshFolder();
    EXPECT_EQ(selectedName(), "report.txt") << "the exact name wins over a longer folder name";
    EXPECT_EQ(fileName()->text(), "report.txt");
}

TEST_F(Navigation, FindMatchesTheBeginningWithAndWithoutWrap) {
    for (const char* name : {"alpha.txt", "Report.txt", "readme.txt", "zulu.txt"}) {
        folder.makeFile(name);
    }
    prepare(TForm_FileDialog::OpenMode, "txt");
    ASSERT_EQ(shownNames(), QStringList({"alpha.txt", "readme.txt", "Report.txt", "zulu.txt"}));
    const struct {
        const char* text;
        int start;
        bool wrap;
        int expected;
    } cases[] = {
        {"re", 0, false, 1},  {"RE", 0, false, 1}, {"rep", 0, false, 2}, {"re", 2, false, 2},
        {"re", 3, false, -1}, {"re", 3, true, 1},  {"al", 0, true, 0},   {"re", 99, false, 1},
        {"", 0, true, -1},    {"x", 1, true, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dialog->lstvwVirtualListDataFind(c.text, c.start, c.wrap), c.expected)
            << c.text << " from " << c.start << (c.wrap ? " with wrap" : "");
    }
}

TEST_F(Navigation, TypingSelectsTheFirstMatchingRow) {
    for (const char* name : {"alpha.txt", "Report.txt", "readme.txt", "zulu.txt"}) {
        folder.makeFile(name);
    }
    prepare(TForm_FileDialog::OpenMode, "txt");
    dialog->show();
    press(Qt::Key_R, "r");
    press(Qt::Key_E, "e");
    press(Qt::Key_P, "p");
    EXPECT_EQ(selectedName(), "Report.txt");
    EXPECT_EQ(fileName()->text(), "Report.txt");
}

TEST_F(Navigation, ViewButtonsSwitchTheViewAndItPersists) {
    folder.makeFile("a.txt");
    prepare(TForm_FileDialog::OpenMode, "txt");
    tool("SpeedButton_Report")->click();
    EXPECT_EQ(dialog->list()->viewStyle(), VirtualListView::ViewStyle::Report);
    EXPECT_EQ(dialog->list()->activeView(), dialog->list()->tableView());
    prepare(TForm_FileDialog::OpenMode, "txt");
    EXPECT_EQ(dialog->list()->viewStyle(), VirtualListView::ViewStyle::Report);
    tool("SpeedButton_Icons")->click();
    EXPECT_EQ(dialog->list()->listView()->viewMode(), QListView::IconMode);
    tool("SpeedButton_List")->click();
    EXPECT_EQ(dialog->list()->listView()->viewMode(), QListView::ListMode);
    EXPECT_EQ(selectedName(), "a.txt");
}

TEST_F(Navigation, WheelMovesTheSelectionFromAnywhereOverTheWindow) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
        folder.makeFile(name);
    }
    prepare(TForm_FileDialog::OpenMode, "txt");
    dialog->show();
    select("a.txt");
    wheel(dialog->list()->activeView()->viewport(), -120);
    EXPECT_EQ(selectedName(), "b.txt");
    wheel(control<QLineEdit>("Edit_Pfad"), -120);
    wheel(control<QLineEdit>("Edit_Pfad"), -120);
    EXPECT_EQ(selectedName(), "c.txt") << "the last row stays selected";
    wheel(dialog.get(), 120);
    EXPECT_EQ(selectedName(), "b.txt");
    EXPECT_EQ(fileName()->text(), "b.txt");
}

TEST_F(Navigation, OnlyTheShownRowsFetchTheirDetails) {
    for (int index = 0; index < 3000; ++index) {
        folder.makeFile(QStringLiteral("file%1.txt").arg(index));
    }
    prepare(TForm_FileDialog::OpenMode, "txt", QString(), QString(), QString());
    tool("SpeedButton_Report")->click();
    dialog->show();
    const VirtualListModel* model = dialog->listModel();
    ASSERT_TRUE(waitFor([&] { return model->fetchedDetailsCount() > 0; }));
    EXPECT_LT(model->fetchedDetailsCount(), 100);
    EXPECT_EQ(model->data(model->index(2999, VirtualListModel::SizeColumn), Qt::DisplayRole), "1");
    EXPECT_FALSE(model->entry(2999).detailsPending);
}

TEST_F(Navigation, MissingHomeFolderIsReportedNotThrownFromTheButton) {
    folder.makeFolder("home");
    prepare(TForm_FileDialog::OpenMode, "txt", QString(), folder.path("home"));
    QDir(folder.path("home")).removeRecursively();
    tool("SpeedButton_Home")->click();
    ASSERT_EQ(reportedErrors.size(), 1);
    EXPECT_TRUE(reportedErrors.first().contains(folder.path("home")));
}

TEST_F(Navigation, BrowseOpensThePickedFolderWithTheCaptionSuffix) {
    folder.makeFolder("picked");
    dialog->SetBrowseEntry(0, "Suchen", folder.path(), folder.path());
    dialog->SetBrowseEntry(1, QString(), QString(), QString());
    dialog->SetHomeEntry(0, "Start", folder.path(), folder.path());
    dialog->Prepare("Titel", "txt", FolderListing::DefaultFlags, -1, 127, 0, QString(), 0);
    QString offeredRoot;
    dialog->setFolderPicker([&](const QString& root) {
        offeredRoot = root;
        return folder.path("picked");
    });
    tool("SpeedButton_Browse")->click();
    EXPECT_EQ(offeredRoot, folder.path());
    EXPECT_EQ(dialog->currentPath(), folder.path("picked"));
    EXPECT_EQ(dialog->windowTitle(), "Titel - Suchen");
    dialog->setFolderPicker([](const QString&) { return QString(); });
    tool("SpeedButton_Browse")->click();
    EXPECT_EQ(dialog->currentPath(), folder.path("picked")) << "a cancelled pick stays put";
}

// Each move lists the folder once and applies the selection once: the preview and the name
// rules behind it run once per move, not once per step of the move.
TEST_F(Navigation, EachMoveAppliesTheSelectionOnce) {
    folder.makeFile("sub/inner.jpg");
    folder.makeFile("sub/second.jpg");
    folder.makeFile("top.jpg");
    prepare(TForm_FileDialog::OpenMode, "jpg");
    dialog->show();
    std::vector<int> applied;
    QObject::connect(dialog.get(), &TForm_FileDialog::selectionApplied,
                     [&applied](int row) { applied.push_back(row); });
    const struct {
        const char* move;
        std::function<void()> run;
        QString selectedAfter;
    } moves[] = {
        {"double click on a folder",
         [this, &applied] {
             select("sub");
             applied.clear();
             dialog->lstvwVirtualListDblClick();
         },
         "inner.jpg"},
        {"Refresh", [this] { tool("SpeedButton_Refresh")->click(); }, "inner.jpg"},
        {"Back", [this] { tool("SpeedButton_Back")->click(); }, "sub"},
        {"List view", [this] { tool("SpeedButton_List")->click(); }, "sub"},
    };
    for (const auto& move : moves) {
        applied.clear();
        move.run();
        EXPECT_EQ(applied.size(), 1u) << move.move;
        EXPECT_EQ(selectedName(), move.selectedAfter) << move.move;
    }
}

// A click is the user's choice also on the row the dialog selected by itself, and a click that
// moves the selection runs the steps once, not once for the selection and again for the click.
TEST_F(Navigation, AClickIsTheUsersChoiceOnce) {
    folder.makeFile("a.lng");
    folder.makeFile("b.lng");
    prepare(TForm_FileDialog::SaveMode, "lng", "neu");
    dialog->show();
    ASSERT_EQ(selectedName(), "a.lng");
    ASSERT_EQ(fileName()->text(), "neu.lng");
    int applied = 0;
    QObject::connect(dialog.get(), &TForm_FileDialog::selectionApplied, [&applied] { ++applied; });
    QAbstractItemView* view = dialog->list()->activeView();
    const auto click = [view](int row) {
        const QRect cell = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    };
    click(0);
    EXPECT_EQ(fileName()->text(), "a.lng") << "the row the dialog selected, clicked";
    EXPECT_EQ(applied, 1);
    click(1);
    EXPECT_EQ(fileName()->text(), "b.lng");
    EXPECT_EQ(applied, 2);
}

}  // namespace
