// Home and Browse entries: normalisation, the menus, the caption suffix and the floor.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <cstdlib>

#include "DialogFixture.h"
#include "FolderListing.h"

namespace {

// Points the XDG user folders at folders of the test, and restores the environment afterwards.
class UserFolders {
  public:
    explicit UserFolders(const FolderFixture& folder) {
        if (const char* value = std::getenv("XDG_CONFIG_HOME")) {
            previous_ = value;
            hadValue_ = true;
        }
        folder.makeFolder("config");
        QFile dirs(folder.path("config/user-dirs.dirs"));
        if (dirs.open(QIODevice::WriteOnly)) {
            dirs.write(QStringLiteral("XDG_DOCUMENTS_DIR=\"%1\"\nXDG_DESKTOP_DIR=\"%2\"\n")
                           .arg(folder.path("Dokumente"), folder.path("Schreibtisch"))
                           .toUtf8());
        }
        setenv("XDG_CONFIG_HOME", QFile::encodeName(folder.path("config")).constData(), 1);
    }
    ~UserFolders() {
        if (hadValue_) {
            setenv("XDG_CONFIG_HOME", previous_.c_str(), 1);
        } else {
            unsetenv("XDG_CONFIG_HOME");
        }
    }

  private:
    bool hadValue_ = false;
    std::string previous_;
};

using NavigationEntries = DialogFixture;

TEST_F(NavigationEntries, IndexBeyondElevenChangesNothing) {
    ASSERT_EQ(dialog->SetHomeEntry(11, "Elf", folder.path(), folder.path()), 0);
    EXPECT_EQ(dialog->SetHomeEntry(12, "Zwölf", "/", "/"), -1);
    EXPECT_EQ(dialog->SetBrowseEntry(12, "Zwölf", "/", "/"), -1);
    EXPECT_EQ(dialog->SetHomeEntry(-1, "Minus", "/", "/"), -1);
    EXPECT_EQ(dialog->homeEntry(11).label, "Elf");
    EXPECT_EQ(dialog->homeEntry(11).path, folder.path());
}

TEST_F(NavigationEntries, FolderTextsAreNormalised) {
    folder.makeFolder("Sprachen");
    const struct {
        QString given;
        QString stored;
    } cases[] = {
        {folder.path("Sprachen/"), folder.path("Sprachen")},
        {folder.path("Sprachen//"), folder.path("Sprachen")},
        {folder.path("Sprachen/../Sprachen"), folder.path("Sprachen")},
        {QStringLiteral("/"), QStringLiteral("/")},
        {QStringLiteral("not a path/"), QStringLiteral("not a path")},
        {folder.path("missing/"), folder.path("missing")},
        {FolderLocation::ComputerPath.toLower(), FolderLocation::ComputerPath},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(dialog->SetHomeEntry(0, "L", c.given, c.given), 0);
        EXPECT_EQ(dialog->homeEntry(0).path, c.stored) << c.given.toStdString();
        EXPECT_EQ(dialog->homeEntry(0).floor, c.stored) << c.given.toStdString();
        EXPECT_EQ(dialog->homeEntry(0).label, "L");
    }
}

TEST_F(NavigationEntries, SpecialNamesResolveToTheUserFolders) {
    const UserFolders userFolders(folder);
    folder.makeFolder("Dokumente");
    folder.makeFolder("Schreibtisch");
    dialog->SetHomeEntry(0, "ignored", "Desktop", "Eigene Dateien");
    EXPECT_EQ(dialog->homeEntry(0).path, folder.path("Schreibtisch"));
    EXPECT_EQ(dialog->homeEntry(0).label, "Schreibtisch");
    EXPECT_EQ(dialog->homeEntry(0).floor, folder.path("Dokumente"));
    dialog->SetBrowseEntry(0, "ignored", "Eigene Dateien", "Desktop");
    EXPECT_EQ(dialog->browseEntry(0).label, "Dokumente");
    dialog->SetHomeEntry(1, "kept", FolderLocation::DocumentsPath, QString());
    EXPECT_EQ(dialog->homeEntry(1).path, folder.path("Dokumente"));
    EXPECT_EQ(dialog->homeEntry(1).label, "kept");
}

TEST_F(NavigationEntries, MenuShowsEntriesUpToTheFirstEmptyLabel) {
    folder.makeFolder("eins");
    dialog->SetHomeEntry(0, "Start", folder.path(), folder.path());
    dialog->SetHomeEntry(1, "Eins", folder.path("eins"), folder.path());
    dialog->SetHomeEntry(2, "Fehlt", folder.path("fehlt"), folder.path());
    dialog->SetHomeEntry(3, "Rechner", FolderLocation::ComputerPath, QString());
    dialog->SetHomeEntry(5, "Hinter der Lücke", folder.path(), folder.path());
    dialog->Prepare("Titel", "txt", FolderListing::DefaultFlags, -1, 127, 0, QString(), 0);
    const auto* menu = control<QMenu>("PopupMenu_Home");
    const auto item = [menu](int index) {
        return menu->findChild<QAction*>(QStringLiteral("Home%1").arg(index),
                                         Qt::FindDirectChildrenOnly);
    };
    EXPECT_TRUE(item(0)->isVisible() && item(0)->isEnabled());
    EXPECT_EQ(item(1)->text(), "Eins");
    EXPECT_TRUE(item(1)->isEnabled());
    EXPECT_TRUE(item(2)->isVisible());
    EXPECT_FALSE(item(2)->isEnabled()) << "a missing folder is offered disabled";
    EXPECT_EQ(item(3)->text(), "Computer");
    EXPECT_TRUE(item(3)->isEnabled());
    EXPECT_FALSE(item(4)->isVisible());
    EXPECT_FALSE(item(5)->isVisible()) << "an empty label ends the menu";

    dialog->SetHomeEntry(0, QString(), folder.path(), folder.path());
    dialog->Prepare("Titel", "txt", FolderListing::DefaultFlags, -1, 127, 0, QString(), 0);
    for (int index = 0; index < TForm_FileDialog::EntryCount; ++index) {
        EXPECT_FALSE(item(index)->isVisible()) << index;
    }
}

TEST_F(NavigationEntries, OpeningAnEntrySetsCaptionAndFloor) {
    folder.makeFolder("Sprachen/Alt");
    dialog->SetHomeEntry(0, QString(), folder.path(), folder.path());
    dialog->SetHomeEntry(1, "Sprachen", folder.path("Sprachen/Alt/"), folder.path("Sprachen"));
    dialog->Prepare("Sprache laden", "lng", FolderListing::DefaultFlags, -1, 127, 0, QString(), 1);
    EXPECT_EQ(dialog->windowTitle(), "Sprache laden - Sprachen");
    EXPECT_EQ(dialog->currentPath(), folder.path("Sprachen/Alt"));
    dialog->SpeedButton_BackClick();
    EXPECT_EQ(dialog->currentPath(), folder.path("Sprachen"));
    dialog->SpeedButton_BackClick();
    EXPECT_EQ(dialog->currentPath(), folder.path("Sprachen")) << "Back stops at the floor";
    dialog->OpenHomeEntry(0);
    EXPECT_EQ(dialog->windowTitle(), "Sprache laden") << "an empty label adds no suffix";
}

TEST_F(NavigationEntries, StartEntryFallsBackToEntryZero) {
    folder.makeFolder("null");
    dialog->SetHomeEntry(0, QString(), folder.path("null"), folder.path("null"));
    dialog->SetHomeEntry(1, QString(), QString(), QString());
    for (const int start : {1, 12, 99, -3}) {
        dialog->Prepare("Titel", "txt", FolderListing::DefaultFlags, -1, 127, 0, QString(), start);
        EXPECT_EQ(dialog->currentPath(), folder.path("null")) << start;
    }
}

}  // namespace
