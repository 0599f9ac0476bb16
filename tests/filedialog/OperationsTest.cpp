// The file operations in the running dialog, with a mask that offers all of them: the insert
// list across uses, the names Insert and Rename make, the safety of typed and listed names,
// and names that are not UTF-8.
#include <unistd.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QTemporaryDir>

#include "DialogFixture.h"
#include "EnvironmentOverride.h"
#include "FakeFileOperations.h"
#include "FileOperationsController.h"
#include "FolderListing.h"

namespace {

constexpr quint32 FullMask = 0x3FFFF;

void writeFile(const QString& path, const QByteArray& contents) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

// Another program that makes a file at the free name Insert found, just before the copy; a
// move across file systems that brings a folder whole but cannot remove its subfolder
// "locked" at the source.
class PartialCopies : public FakeFileOperations {
  public:
    bool otherProgramFirst = false;
    bool leaveLockedSource = false;
    int move(const QByteArray& from, const QByteArray& to) override {
        const int result = FakeFileOperations::move(from, to);
        if (!leaveLockedSource || result != Done) {
            return result;
        }
        QDir().mkpath(QFile::decodeName(from) + "/locked");
        writeFile(QFile::decodeName(from) + "/locked/kept.txt", "left at the source");
        return DoneSourceLeft;
    }
    int copyToNew(const QByteArray& from, const QByteArray& to) override {
        if (otherProgramFirst) {
            QFile other(QFile::decodeName(to));
            if (!other.open(QIODevice::WriteOnly) || other.write("other program") != 13) {
                return Aborted;
            }
        }
        return FakeFileOperations::copyToNew(from, to);
    }
};

class Operations : public DialogFixture {
  protected:
    // A new dialog object, as after a restart, on the folder with the store "store"; the tests
    // make their files first.
    void openDialog(quint32 mask = FullMask) {
        dialog = std::make_unique<TForm_FileDialog>(nullptr, &operations);
        dialog->setErrorDisplay([this](const QString& message) { reportedErrors << message; });
        dialog->setConfirmation([this](const QString& question) {
            questions << question;
            closeRefusedWhileAsking = !dialog->close();
            return confirmAnswer;
        });
        dialog->setTextPrompt([this](const QString&, const QString&, const QString& proposal) {
            proposals << proposal;
            return replies.isEmpty() ? std::nullopt : std::optional<QString>(replies.takeFirst());
        });
        dialog->SetHomeEntry(0, QString(), folder.path(), folder.path());
        dialog->SetHomeEntry(1, QString(), QString(), QString());
        dialog->Prepare("Dateien", "*", FolderListing::DefaultFlags, -1, mask, 0, QString(), 0);
        ASSERT_EQ(dialog->SetStoreFolder(folder.path("store")), 0);
        dialog->show();
    }
    FileOperationsController* controller() const { return dialog->fileOperations(); }
    QStringList menuCaptions() const {
        QStringList captions;
        for (QAction* item : controller()->insertMenu()->actions()) {
            if (item->isVisible() && !item->isSeparator() &&
                item->objectName().startsWith("Insert") &&
                item->objectName() != "InsertListeLoeschen") {
                captions << item->text();
            }
        }
        return captions;
    }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(dialog->list()->listView(), &event);
    }

    QTemporaryDir trash;
    const EnvironmentOverride dataHome{"XDG_DATA_HOME", QFile::encodeName(trash.path())};
    PartialCopies operations;
    QStringList questions;
    QStringList proposals;
    QStringList replies;
    bool confirmAnswer = true;
    bool closeRefusedWhileAsking = false;
};

TEST_F(Operations, TheMaskShowsAndEnablesTheButtons) {
    folder.makeFile("a.txt");
    openDialog(127);
    EXPECT_TRUE(tool("SpeedButton_Delete")->isHidden());
    openDialog(1u << 8 | 1u << 7);
    select("a.txt");
    EXPECT_FALSE(tool("SpeedButton_Delete")->isHidden());
    EXPECT_TRUE(tool("SpeedButton_Delete")->isEnabled());
    EXPECT_FALSE(tool("SpeedButton_Copy")->isEnabled());
    EXPECT_TRUE(tool("SpeedButton_MakeDir")->isEnabled());
    EXPECT_FALSE(tool("SpeedButton_Insert")->isEnabled());
}

TEST_F(Operations, CopiesAndCutsFillTheListThatOutlivesTheDialog) {
    folder.makeFile("a.txt");
    folder.makeFile("b.txt");
    folder.makeFolder("docs");
    openDialog();
    select("a.txt");
    press(Qt::Key_C, Qt::ControlModifier);
    select("a.txt");
    tool("SpeedButton_Copy")->click();
    select("docs");
    tool("SpeedButton_Cut")->click();
    EXPECT_EQ(menuCaptions(), (QStringList{"[docs]", "a.txt"}));
    EXPECT_FALSE(QFileInfo::exists(folder.path("docs")));
    EXPECT_TRUE(QFileInfo(folder.path("store/docs")).isDir());
    EXPECT_TRUE(tool("SpeedButton_Insert")->isEnabled());

    openDialog();
    EXPECT_EQ(menuCaptions(), (QStringList{"[docs]", "a.txt"})) << "read again at show";
    EXPECT_TRUE(tool("SpeedButton_Insert")->isEnabled());
    EXPECT_EQ(shownNames(), (QStringList{"a.txt", "b.txt"})) << "the store stays hidden";
}

// A failed Cut or Copy leaves the earlier store item and its entry as they were; the item it
// brought along goes back where it came from (or, copied, away).
TEST_F(Operations, AFailedCutOrCopyLeavesTheEarlierEntry) {
    const struct {
        const char* button;
        FakeFileOperations::Operation failing;
    } cases[] = {
        {"SpeedButton_Copy", FakeFileOperations::Copy},
        {"SpeedButton_Cut", FakeFileOperations::Move},
        {"SpeedButton_Copy", FakeFileOperations::MoveToTrash},
        {"SpeedButton_Cut", FakeFileOperations::MoveToTrash},
    };
    for (const auto& c : cases) {
        folder.remove("a.txt");
        QDir(folder.path("store")).removeRecursively();
        writeFile(folder.path("a.txt"), "older");
        openDialog();
        select("a.txt");
        tool("SpeedButton_Cut")->click();
        writeFile(folder.path("a.txt"), "newer");
        dialog->RefreshFolder();
        operations.giveNext(c.failing);
        select("a.txt");
        tool(c.button)->click();
        const std::string what = std::string(c.button) + " " + std::to_string(c.failing);
        EXPECT_EQ(menuCaptions(), QStringList{"a.txt"}) << what;
        EXPECT_EQ(readFile(folder.path("store/a.txt")), "older") << what;
        EXPECT_EQ(readFile(folder.path("a.txt")), "newer") << what;
        EXPECT_EQ(QDir(folder.path("store"))
                      .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                  (QStringList{"a.txt", "~INDEX.LST"}))
            << what;
        EXPECT_FALSE(tool("SpeedButton_Insert")->isEnabled()) << what;
    }
}

TEST_F(Operations, ACutThatLeavesPartOfItsSourceListsTheWholeItem) {
    folder.makeFolder("docs/locked");
    writeFile(folder.path("docs/a.txt"), "only copy");
    writeFile(folder.path("docs/locked/kept.txt"), "left at the source");
    openDialog();
    operations.leaveLockedSource = true;
    select("docs");
    tool("SpeedButton_Cut")->click();
    EXPECT_EQ(menuCaptions(), QStringList{"[docs]"});
    EXPECT_TRUE(tool("SpeedButton_Insert")->isEnabled());
    EXPECT_EQ(readFile(folder.path("store/docs/a.txt")), "only copy");
    EXPECT_EQ(readFile(folder.path("docs/locked/kept.txt")), "left at the source");

    operations.leaveLockedSource = false;
    select("docs");
    tool("SpeedButton_Cut")->click();
    EXPECT_EQ(readFile(trash.path() + "/Trash/files/docs/a.txt"), "only copy");
    EXPECT_EQ(readFile(folder.path("store/docs/locked/kept.txt")), "left at the source");
}

TEST_F(Operations, TheListFileIsNeverCutNorListedInTheStore) {
    writeFile(folder.path("~INDEX.LST"), "a user's own file");
    writeFile(folder.path("a.txt"), "in the store");
    openDialog();
    select("a.txt");
    tool("SpeedButton_Copy")->click();
    select("~INDEX.lst");
    tool("SpeedButton_Cut")->click();
    tool("SpeedButton_Copy")->click();
    EXPECT_EQ(readFile(folder.path("~INDEX.LST")), "a user's own file");
    EXPECT_EQ(readFile(folder.path("store/~INDEX.LST")), "a.txt\r\n");
    EXPECT_EQ(menuCaptions(), QStringList{"a.txt"});

    dialog->NavigateToPath(folder.path("store"));
    EXPECT_EQ(shownNames(), QStringList{"a.txt"});
}

// The store folder can be reached by navigating into it; its items are acted on only through
// the insert list.
TEST_F(Operations, TheStoresOwnItemsAreNotActedOn) {
    writeFile(folder.path("a.txt"), "in the store");
    openDialog();
    select("a.txt");
    tool("SpeedButton_Copy")->click();
    dialog->NavigateToPath(folder.path("store"));
    const char* buttons[] = {"SpeedButton_Delete", "SpeedButton_Cut", "SpeedButton_Copy",
                             "SpeedButton_Rename"};
    for (const char* button : buttons) {
        select("a.txt");
        replies = {"b"};
        tool(button)->click();
        EXPECT_EQ(readFile(folder.path("store/a.txt")), "in the store") << button;
        EXPECT_EQ(menuCaptions(), QStringList{"a.txt"}) << button;
        EXPECT_EQ(readFile(folder.path("store/~INDEX.LST")), "a.txt\r\n") << button;
    }
    EXPECT_TRUE(questions.isEmpty());
}

TEST_F(Operations, InsertFindsAFreeNameAndSelectsIt) {
    folder.makeFile("a.txt");
    folder.makeFile("a(1).txt");
    openDialog();
    select("a.txt");
    tool("SpeedButton_Copy")->click();
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(QFileInfo::exists(folder.path("a(2).txt")));
    EXPECT_EQ(selectedName(), "a(2).txt");
    EXPECT_EQ(menuCaptions(), QStringList{"a.txt"}) << "the entry stays for another insert";

    operations.otherProgramFirst = true;
    controller()->InsertClick(0);
    operations.otherProgramFirst = false;
    QFile other(folder.path("a(3).txt"));
    ASSERT_TRUE(other.open(QIODevice::ReadOnly));
    EXPECT_EQ(other.readAll(), "other program") << "what another program made stays";
    EXPECT_TRUE(operations.pathsOf(FakeFileOperations::RemovePermanently).empty());
    operations.giveNext(FakeFileOperations::CopyToNew);
    controller()->InsertClick(0);
    EXPECT_TRUE(operations.pathsOf(FakeFileOperations::RemovePermanently).empty())
        << "a failed copy cleans up only what it made itself";

    controller()->InsertListeLoeschenClick();
    EXPECT_TRUE(menuCaptions().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(folder.path("store/a.txt")));
    EXPECT_FALSE(tool("SpeedButton_Insert")->isEnabled());
}

TEST_F(Operations, RenameKeepsTheExtensionAndRefusesNamesLeavingTheFolder) {
    folder.makeFile("x.lng");
    folder.makeFile("taken.lng");
    openDialog();
    const struct {
        QString reply;
        QString expected;  // the name x.lng has afterwards
    } cases[] = {
        {"x", "x.lng"},   {"x.lng", "x.lng"}, {"../x", "x.lng"},  {"/etc", "x.lng"},
        {"a/b", "x.lng"}, {"", "x.lng"},      {"taken", "x.lng"}, {"y.txt", "y.lng"},
    };
    QString current = "x.lng";
    for (const auto& c : cases) {
        select(current);
        replies = {c.reply};
        tool("SpeedButton_Rename")->click();
        EXPECT_TRUE(QFileInfo::exists(folder.path(c.expected))) << c.reply.toStdString();
        current = c.expected;
    }
    EXPECT_EQ(proposals.first(), "x");
    EXPECT_EQ(selectedName(), "y.lng");
    EXPECT_EQ(shownNames(), (QStringList{"taken.lng", "y.lng"}));
}

// A reply equal to the proposal changes nothing; a changed one keeps what it left untouched,
// bytes that are no UTF-8 too.
TEST_F(Operations, RenameKeepsWhatTheReplyLeftAlone) {
    const struct {
        QByteArray before;
        QString reply;  // "=" for the proposal itself
        QByteArray after;
    } cases[] = {
        {"archive.tar.gz", "=", "archive.tar.gz"},
        {"archive.tar.gz", "backup.tar", "backup.tar.gz"},
        {"archive.tar.gz", "archive.tgz", "archive.gz"},
        {"caf\xE9.txt", "=", "caf\xE9.txt"},
        {"caf\xE9 alt.txt", QString::fromUtf8("caf\uFFFD neu"), "caf\xE9 neu.txt"},
        {"\xE9t\xE9.txt", QString::fromUtf8("\uFFFDt\uFFFD!"), "\xE9t\xE9!.txt"},
    };
    int number = 0;
    for (const auto& c : cases) {
        const QString caseName = QString::number(++number);
        folder.makeFolder(caseName);
        const QString caseFolder = folder.path(caseName);
        const QByteArray native = QFile::encodeName(caseFolder) + '/';
        FILE* created = std::fopen((native + c.before).constData(), "w");
        ASSERT_NE(created, nullptr);
        std::fclose(created);
        openDialog();
        dialog->NavigateToPath(caseFolder);
        proposals.clear();
        select(QFile::decodeName(c.before));
        tool("SpeedButton_Rename")->click();  // no reply: cancelled, only the proposal is seen
        ASSERT_EQ(proposals.size(), 1);
        replies = {c.reply == "=" ? proposals.first() : c.reply};
        tool("SpeedButton_Rename")->click();
        EXPECT_EQ(::unlink((native + c.after).constData()), 0) << c.before.toHex().constData();
        ::unlink((native + c.before).constData());  // names Qt cannot remove
    }
}

TEST_F(Operations, NewFolderBuildsLevelsBelowTheShownFolderOnly) {
    openDialog();
    for (const char* reply : {"../x", "/etc/kalvio", "a/../../x", "a//b", "a/./b", ".", ""}) {
        replies = {QString::fromUtf8(reply)};
        tool("SpeedButton_MakeDir")->click();
    }
    EXPECT_TRUE(shownNames().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(folder.path("../x")));
    replies = {"Neu"};
    tool("SpeedButton_MakeDir")->click();
    EXPECT_EQ(selectedName(), "Neu");
    EXPECT_TRUE(QFileInfo(folder.path("Neu")).isDir());
    replies = {"a/b/c"};
    tool("SpeedButton_MakeDir")->click();
    EXPECT_TRUE(QFileInfo(folder.path("a/b/c")).isDir());
    EXPECT_EQ(selectedName(), "a") << "the first level is what the folder shows";
}

TEST_F(Operations, DeleteAsksAndMovesToTheTrash) {
    folder.makeFile("a.txt");
    folder.makeFile("b.txt");
    openDialog();
    select("a.txt");
    confirmAnswer = false;
    press(Qt::Key_Delete);
    ASSERT_EQ(questions, QStringList{"Löschen 'a.txt' ?"});
    EXPECT_TRUE(closeRefusedWhileAsking) << "the dialog stays open while an operation runs";
    EXPECT_TRUE(operations.calls().empty());
    EXPECT_EQ(selectedName(), "a.txt");

    confirmAnswer = true;
    tool("SpeedButton_Delete")->click();
    EXPECT_EQ(shownNames(), QStringList{"b.txt"});
    EXPECT_EQ(selectedName(), "") << "the name is gone: nothing selected";
    EXPECT_TRUE(QFileInfo::exists(trash.path() + "/Trash/files/a.txt"));
}

TEST_F(Operations, NamesThatAreNotUtf8AreActedOnByTheirBytes) {
    const QByteArray name("caf\xE9.txt");
    const QByteArray path = QFile::encodeName(folder.path()) + '/' + name;
    FILE* created = std::fopen(path.constData(), "w");
    ASSERT_NE(created, nullptr);
    std::fclose(created);
    openDialog();
    dialog->list()->selectRowAsUser(0);
    replies = {"neu"};
    tool("SpeedButton_Rename")->click();
    ASSERT_EQ(operations.pathsOf(FakeFileOperations::Rename), std::vector<QByteArray>{path});
    select("neu.txt");
    tool("SpeedButton_Delete")->click();
    EXPECT_TRUE(shownNames().isEmpty());
}

}  // namespace
