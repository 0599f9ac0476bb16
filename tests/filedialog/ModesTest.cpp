// Modes, file-name rules, default names, showing, closing and the result path.
#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QTimer>

#include "DialogFixture.h"
#include "FileDialogError.h"
#include "FolderListing.h"

namespace {

using Modes = DialogFixture;

TEST_F(Modes, OpenModeTakesFilesOnly) {
    folder.makeFile("a.lng");
    folder.makeFolder("sub");
    prepare(TForm_FileDialog::OpenMode, "lng");
    EXPECT_TRUE(fileName()->isReadOnly());
    EXPECT_EQ(okButton()->text(), "Öffnen");
    select("a.lng");
    EXPECT_EQ(fileName()->text(), "a.lng");
    EXPECT_TRUE(okButton()->isEnabled());
    select("sub");
    EXPECT_EQ(fileName()->text(), "");
    EXPECT_FALSE(okButton()->isEnabled());
    EXPECT_FALSE(okButton()->isHidden());
}

TEST_F(Modes, SaveModeKeepsTheTypedNameAndChecksIt) {
    folder.makeFolder("sub");
    prepare(TForm_FileDialog::SaveMode, "lng", "neu");
    EXPECT_FALSE(fileName()->isReadOnly());
    EXPECT_EQ(okButton()->text(), "Speichern");
    fileName()->setText("  Deutsch");
    EXPECT_EQ(fileName()->text(), "Deutsch") << "leading blanks go";
    select("sub");
    EXPECT_EQ(fileName()->text(), "Deutsch") << "a folder leaves the typed name";
    EXPECT_TRUE(okButton()->isEnabled());
    const struct {
        const char* typed;
        bool accepted;
    } cases[] = {
        {"", false},    {"   ", false}, {"x.txt", true},      {"../up", false},
        {"a/b", false}, {"..", false},  {"with blank", true}, {"Größe", true},
    };
    for (const auto& c : cases) {
        fileName()->setText(QString::fromUtf8(c.typed));
        EXPECT_EQ(okButton()->isEnabled(), c.accepted) << "typed '" << c.typed << "'";
    }
}

TEST_F(Modes, ViewModesHideOkAndEmptyTheName) {
    folder.makeFile("a.lng");
    folder.makeFolder("sub");
    for (const quint8 mode : {quint8{2}, quint8{3}}) {
        prepare(mode, "lng", "a");
        dialog->show();
        EXPECT_TRUE(okButton()->isHidden());
        EXPECT_FALSE(control<QPushButton>("SpeedButton_Abbrechen")->isHidden());
        select("sub");
        EXPECT_EQ(fileName()->text(), "");
        select("a.lng");
        EXPECT_EQ(fileName()->text(), mode == 2 ? "a.lng" : "") << "mode " << int(mode);
        dialog->lstvwVirtualListDblClick();
        EXPECT_TRUE(dialog->isVisible()) << "a double click on a file does nothing";
        dialog->reject();
        EXPECT_EQ(dialog->ResultPath(), "");
    }
}

TEST_F(Modes, ResultPathActsOnTheRealFileName) {
    folder.makeFile("Report.PDF");
    folder.makeFile("zz.pdf");
    prepare(TForm_FileDialog::OpenMode, "pdf");
    dialog->show();
    select("Report.pdf");
    okButton()->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->ResultPath(), folder.path("Report.PDF"));
}

TEST_F(Modes, SaveResultGetsTheFilterExtension) {
    prepare(TForm_FileDialog::SaveMode, "lng");
    const std::pair<const char*, const char*> cases[] = {{"x.txt", "x.lng"},
                                                         {"  Deutsch", "Deutsch.lng"},
                                                         {"a.b", "a.lng"},
                                                         {"Größe Datei", "Größe Datei.lng"}};
    for (const auto& [typed, stored] : cases) {
        dialog->show();
        fileName()->setText(QString::fromUtf8(typed));
        okButton()->click();
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->ResultPath(), folder.path(QString::fromUtf8(stored))) << typed;
    }
}

TEST_F(Modes, SavingOverAListedFileKeepsItsRealName) {
    folder.makeFile("Deutsch.LNG");
    prepare(TForm_FileDialog::SaveMode, "lng", "Deutsch");
    dialog->show();
    EXPECT_EQ(selectedName(), "Deutsch.lng");
    okButton()->click();
    EXPECT_EQ(dialog->ResultPath(), folder.path("Deutsch.LNG"));
}

TEST_F(Modes, SaveModeOffersNoOkInTheComputerFolder) {
    prepare(TForm_FileDialog::SaveMode, "lng", QString(), FolderLocation::ComputerPath);
    fileName()->setText("name");
    EXPECT_FALSE(okButton()->isEnabled());
    dialog->accept();
    EXPECT_EQ(dialog->ResultPath(), "");
}

TEST_F(Modes, DoubleClickOnAFileClosesWithOk) {
    folder.makeFile("name with blanks.lng");
    prepare(TForm_FileDialog::OpenMode, "lng");
    QTimer::singleShot(0, dialog.get(), [this] {
        select("name with blanks.lng");
        dialog->lstvwVirtualListDblClick();
    });
    EXPECT_EQ(dialog->exec(), QDialog::Accepted);
    EXPECT_EQ(dialog->ResultPath(), folder.path("name with blanks.lng"));
}

TEST_F(Modes, EscapeInTheListCancels) {
    folder.makeFile("a.lng");
    prepare(TForm_FileDialog::OpenMode, "lng");
    QTimer::singleShot(0, dialog.get(), [this] {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(dialog->list()->activeView(), &escape);
    });
    EXPECT_EQ(dialog->exec(), QDialog::Rejected);
}

TEST_F(Modes, DefaultNameIsCompletedAndSelectedOnShow) {
    for (const char* name : {"Deutsch.lng", "English.lng", "Zulu.lng"}) {
        folder.makeFile(name);
    }
    const struct {
        quint8 mode;
        const char* defaultName;
        const char* field;
        const char* selected;
    } cases[] = {
        {0, "English", "English.lng", "English.lng"},
        {0, "/elsewhere/Zulu.lng", "Zulu.lng", "Zulu.lng"},
        {0, "Engl", "English.lng", "English.lng"},
        {1, "English", "English.lng", "English.lng"},
        {1, "", "", ""},
        {0, "", "Deutsch.lng", "Deutsch.lng"},
    };
    for (const auto& c : cases) {
        prepare(c.mode, "lng", QString::fromUtf8(c.defaultName));
        dialog->show();
        EXPECT_EQ(fileName()->text(), c.field) << c.defaultName << " in mode " << int(c.mode);
        EXPECT_EQ(selectedName(), c.selected) << c.defaultName << " in mode " << int(c.mode);
        dialog->reject();
    }
}

TEST_F(Modes, VanishedFileIsNotReturned) {
    folder.makeFile("gone.lng");
    folder.makeFile("stays.lng");
    prepare(TForm_FileDialog::OpenMode, "lng");
    dialog->show();
    select("gone.lng");
    folder.remove("gone.lng");
    okButton()->click();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(shownNames(), QStringList({"stays.lng"}));
    EXPECT_EQ(selectedName(), "") << "the file listed first is no choice of the user's";
    EXPECT_EQ(fileName()->text(), "");
    EXPECT_FALSE(okButton()->isEnabled());
    okButton()->click();
    EXPECT_TRUE(dialog->isVisible()) << "a second OK waits for a new choice";
    select("stays.lng");
    okButton()->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->ResultNativePath(), QFile::encodeName(folder.path("stays.lng")));
}

TEST_F(Modes, CloseIsRefusedWhileThePanelsAreDisabled) {
    folder.makeFile("a.lng");
    prepare(TForm_FileDialog::OpenMode, "lng");
    dialog->show();
    for (const char* panel : {"Panel_Oben", "Panel_Mitte", "Panel_Unten"}) {
        control<QFrame>(panel)->setEnabled(false);
        dialog->close();
        dialog->reject();
        EXPECT_TRUE(dialog->isVisible()) << panel;
        control<QFrame>(panel)->setEnabled(true);
    }
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(Modes, PrepareOnAMissingFolderThrowsAndShowsNothing) {
    dialog->SetHomeEntry(0, QString(), folder.path("missing"), folder.path("missing"));
    EXPECT_THROW(
        dialog->Prepare("Titel", "lng", FolderListing::DefaultFlags, -1, 127, 0, QString(), 0),
        FileDialogError);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(Modes, StoreFolderCodes) {
    folder.makeFile("plain-file");
    const struct {
        QString given;
        int code;
        QString stored;
    } cases[] = {
        {QString(), -1, QString()},
        {QStringLiteral("/"), -2, QString()},
        {folder.path("plain-file/store"), -3, QString()},
        {QStringLiteral("relative/store"), -3, QString()},
        {folder.path("a/b/LNG/"), 0, folder.path("a/b/LNG/")},
        {folder.path("HELP"), 0, folder.path("HELP/")},
    };
    for (const auto& c : cases) {
        const QString before = dialog->storeFolder();
        EXPECT_EQ(dialog->SetStoreFolder(c.given), c.code) << c.given.toStdString();
        EXPECT_EQ(dialog->storeFolder(), c.code == 0 ? c.stored : before);
        if (c.code == 0) {
            EXPECT_TRUE(QFileInfo(c.stored).isDir());
        }
    }
}

// Two files may show the same name ("Bild.JPG" and "Bild.jpg" both as "Bild.jpg"): the one the
// user selected is the one handed back, in either order.
TEST_F(Modes, TheSelectedFileIsChosenAmongNamesShownAlike) {
    folder.makeFile("Bild.JPG");
    folder.makeFile("Bild.jpg");
    prepare(TForm_FileDialog::OpenMode, "jpg");
    dialog->show();
    ASSERT_EQ(shownNames(), QStringList({"Bild.jpg", "Bild.jpg"}));
    const QByteArray first = dialog->listModel()->entry(0).fileName;
    const QByteArray second = dialog->listModel()->entry(1).fileName;
    ASSERT_NE(first, second);
    for (const int row : {1, 0}) {
        dialog->list()->selectRowAsUser(row);
        okButton()->click();
        EXPECT_EQ(dialog->ResultNativePath(),
                  QFile::encodeName(folder.path()) + '/' + (row == 0 ? first : second));
        dialog->show();
    }
}

}  // namespace
