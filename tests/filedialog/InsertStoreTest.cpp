#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>

#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "EnvironmentOverride.h"
#include "FakeFileOperations.h"
#include "InsertStore.h"
#include "NativeFolder.h"

namespace {

using Names = std::vector<QByteArray>;

// A store folder "store/" beside the files a test cuts and copies from; the desktop's trash
// is a temporary one.
struct StoreScene {
    StoreScene() {
        folder.makeFolder("store");
        store.setFolder(folder.path("store/"));
    }

    // Copies a new file of that name into the store and lists it, as Copy does.
    void copyIntoStore(const QByteArray& name, const QByteArray& contents) {
        folder.write(name, contents);
        takeIntoStore(name, true);
    }
    // Copies or moves the item of that name beside the store into it, as Copy and Cut do.
    void takeIntoStore(const QByteArray& name, bool copy) {
        const QByteArray incoming = store.incomingPath();
        ASSERT_EQ(copy ? operations.copy(folder.path(name), incoming)
                       : operations.move(folder.path(name), incoming),
                  FileOperations::Done);
        ASSERT_TRUE(store.takeIn(name, incoming)) << name.constData();
    }
    QByteArray trashed(const QByteArray& name) const {
        QFile file(trash.path() + "/Trash/files/" + QFile::decodeName(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(not trashed)");
    }

    // Every path an operation was given lies inside the store folder.
    void expectOnlyStoreTouched() const {
        for (const FakeFileOperations::Call& call : operations.calls()) {
            EXPECT_TRUE(call.path.startsWith(store.folder())) << call.path.constData();
        }
    }

    QTemporaryDir trash;
    const EnvironmentOverride dataHome{"XDG_DATA_HOME", QFile::encodeName(trash.path())};
    NativeFolder folder;
    FakeFileOperations operations;
    InsertStore store{operations};
};

class InsertStoreTest : public testing::Test, protected StoreScene {};

TEST_F(InsertStoreTest, CopyingANameTwiceListsItOnceWithTheNewerItem) {
    copyIntoStore("report.txt", "first");
    copyIntoStore("other.txt", "other");
    copyIntoStore("report.txt", "second");
    EXPECT_EQ(store.names(), (Names{"report.txt", "other.txt"}));
    EXPECT_EQ(folder.read("store/report.txt"), "second");
}

// Whatever makes an item leave the store, the item goes to the desktop's trash whole.
TEST_F(InsertStoreTest, ItemsLeaveTheStoreOnlyToTheTrash) {
    const struct {
        const char* what;
        std::function<void(StoreScene&)> act;
        Names listed;
    } cases[] = {
        {"a second cut of the name",
         [](StoreScene& t) {
             t.folder.write("item0", "newer");
             t.takeIntoStore("item0", false);
         },
         {"item0", "item9", "item8", "item7", "item6", "item5", "item4", "item3", "item2",
          "item1"}},
        {"the eleventh name",
         [](StoreScene& t) {
             t.folder.write("item10", "newest");
             t.takeIntoStore("item10", false);
         },
         {"item10", "item9", "item8", "item7", "item6", "item5", "item4", "item3", "item2",
          "item1"}},
        {"removing the entry",
         [](StoreScene& t) { EXPECT_TRUE(t.store.remove("item0")); },
         {"item9", "item8", "item7", "item6", "item5", "item4", "item3", "item2", "item1"}},
        {"Liste löschen", [](StoreScene& t) { t.store.clear(); }, {}},
    };
    for (const auto& c : cases) {
        StoreScene t;
        for (int i = 0; i < 10; ++i) {
            const QByteArray name = "item" + QByteArray::number(i);
            t.folder.write(name, "only copy of " + name);
            t.takeIntoStore(name, false);
        }
        c.act(t);
        EXPECT_EQ(t.store.names(), c.listed) << c.what;
        EXPECT_EQ(t.trashed("item0"), "only copy of item0") << c.what;
        EXPECT_TRUE(t.operations.pathsOf(FakeFileOperations::RemovePermanently).empty()) << c.what;
        InsertStore reloaded(t.operations);
        reloaded.setFolder(t.store.folder());
        reloaded.load();
        EXPECT_EQ(reloaded.names(), c.listed) << c.what;
    }
}

TEST_F(InsertStoreTest, AnOlderItemThatCannotBeTrashedKeepsItsLine) {
    copyIntoStore("a.txt", "older");
    copyIntoStore("b.txt", "kept");
    folder.write("a.txt", "newer");
    const QByteArray incoming = store.incomingPath();
    ASSERT_EQ(operations.copy(folder.path("a.txt"), incoming), FileOperations::Done);
    operations.giveNext(FakeFileOperations::MoveToTrash);
    EXPECT_FALSE(store.takeIn("a.txt", incoming));
    EXPECT_EQ(store.names(), (Names{"b.txt", "a.txt"}));
    EXPECT_EQ(folder.read("store/a.txt"), "older");
    EXPECT_EQ(folder.read("store/~INDEX.LST"), "b.txt\r\na.txt\r\n");
    EXPECT_TRUE(operations.exists(incoming)) << "the new item waits for its owner";

    operations.giveNext(FakeFileOperations::MoveToTrash);
    store.clear();
    EXPECT_EQ(store.names(), Names{"a.txt"}) << "cleared last first; a.txt could not go";
    EXPECT_EQ(folder.read("store/a.txt"), "older");
    EXPECT_EQ(folder.read("store/~INDEX.LST"), "a.txt\r\n");
    EXPECT_EQ(trashed("b.txt"), "kept");
}

TEST_F(InsertStoreTest, TheListFilesOwnNameIsNoItem) {
    folder.write("~INDEX.LST", "a user's file");
    const QByteArray incoming = store.incomingPath();
    EXPECT_FALSE(store.takeIn("~INDEX.LST", incoming));
    EXPECT_TRUE(store.itemPath("~INDEX.LST").isEmpty());
    folder.write("store/~INDEX.LST", "~INDEX.LST\r\nok\r\n");
    store.load();
    EXPECT_EQ(store.names(), Names{"ok"});
}

TEST_F(InsertStoreTest, ListOutlivesTheStoreAndCaptionsFolders) {
    folder.makeFolder("photos");
    takeIntoStore("photos", false);
    copyIntoStore("notes.txt", "x");

    InsertStore reloaded(operations);
    reloaded.setFolder(folder.path("store"));
    ASSERT_TRUE(reloaded.load());
    EXPECT_EQ(reloaded.names(), (Names{"notes.txt", "photos"}));
    EXPECT_EQ(folder.read("store/~INDEX.LST"), "notes.txt\r\nphotos\r\n");
    EXPECT_EQ(reloaded.menuCaption(0), "notes.txt");
    EXPECT_EQ(reloaded.menuCaption(1), "[photos]");
    EXPECT_TRUE(reloaded.isFolder(1));
}

TEST_F(InsertStoreTest, LongListFileShowsItsFirstTenNames) {
    QByteArray lines;
    for (int i = 1; i <= 12; ++i) {
        lines += "name" + QByteArray::number(i) + "\r\n";
    }
    folder.write("store/~INDEX.LST", lines);
    ASSERT_TRUE(store.load());
    ASSERT_EQ(store.count(), 10);
    EXPECT_EQ(store.names().front(), "name1");
    EXPECT_EQ(store.names().back(), "name10");
}

TEST_F(InsertStoreTest, HostileLinesAndNamesNeverReachOutsideTheStore) {
    folder.write("x", "victim");
    folder.makeFolder("b");
    folder.write("b/c", "victim");
    folder.write("store/a", "kept");
    folder.write("store/~INDEX.LST", "../x\r\n/etc\r\na/b\r\n\r\n..\r\n.\r\nok\r\n");
    folder.write("store/ok", "listed");
    ASSERT_TRUE(store.load());
    EXPECT_EQ(store.names(), Names{"ok"});

    for (const QByteArray& name : {QByteArray("../x"), QByteArray(".."), QByteArray(""),
                                   QByteArray("/etc"), QByteArray("a/../../b")}) {
        EXPECT_TRUE(store.itemPath(name).isEmpty()) << name.constData();
        EXPECT_FALSE(store.remove(name)) << name.constData();
        EXPECT_FALSE(store.takeIn(name, store.incomingPath())) << name.constData();
    }
    EXPECT_EQ(store.names(), Names{"ok"});
    store.clear();
    expectOnlyStoreTouched();
    EXPECT_EQ(folder.read("x"), "victim");
    EXPECT_EQ(folder.read("b/c"), "victim");
    EXPECT_EQ(folder.read("store/a"), "kept");
    EXPECT_FALSE(operations.exists(store.itemPath("ok")));
}

TEST_F(InsertStoreTest, LinkedListFileIsNeitherReadNorWrittenThrough) {
    folder.write("elsewhere.lst", "ok\r\n");
    folder.link("store/~INDEX.LST", folder.path("elsewhere.lst"));
    folder.write("ok", "x");
    EXPECT_FALSE(store.load());
    takeIntoStore("ok", false);
    EXPECT_EQ(folder.read("elsewhere.lst"), "ok\r\n");
    EXPECT_EQ(folder.read("store/~INDEX.LST"), "ok\r\n");
    EXPECT_TRUE(folder.linkTarget("store/~INDEX.LST").isEmpty());
}

TEST_F(InsertStoreTest, ClearRemovesEveryItemLastFirstAndEmptiesTheList) {
    copyIntoStore("first.txt", "1");
    folder.makeFolder("folder");
    folder.write("folder/inside.txt", "2");
    takeIntoStore("folder", false);
    copyIntoStore("last.txt", "3");

    store.clear();
    EXPECT_EQ(store.count(), 0);
    EXPECT_EQ(
        operations.pathsOf(FakeFileOperations::MoveToTrash),
        (Names{store.itemPath("first.txt"), store.itemPath("folder"), store.itemPath("last.txt")}));
    EXPECT_FALSE(operations.exists(store.itemPath("folder")));
    EXPECT_TRUE(operations.exists(folder.path("store/~INDEX.LST")));
    EXPECT_FALSE(store.load());
}

TEST_F(InsertStoreTest, PipeNamedLikeTheListFileDoesNotHoldUpLoading) {
    const QByteArray pipe = folder.path("store/~INDEX.LST");
    ASSERT_EQ(::mkfifo(pipe.constData(), 0600), 0);
    auto loading = std::async(std::launch::async, [this] { return store.load(); });
    if (loading.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        // A writer lets the waiting open return, so that the test ends.
        ::close(::open(pipe.constData(), O_WRONLY | O_NONBLOCK));
        FAIL() << "loading waits for a writer to the pipe";
    }
    EXPECT_FALSE(loading.get());
}

TEST(FakeFileOperations, GivenOutcomeReplacesOnlyTheNextCallOfItsKind) {
    NativeFolder folder;
    folder.write("a", "x");
    FakeFileOperations operations;
    operations.giveNext(FakeFileOperations::Copy, FileOperations::Aborted);
    EXPECT_EQ(operations.makeFolder(folder.path("made")), FileOperations::Done);
    EXPECT_EQ(operations.copy(folder.path("a"), folder.path("b")), FileOperations::Aborted);
    EXPECT_FALSE(operations.exists(folder.path("b")));
    EXPECT_EQ(operations.copy(folder.path("a"), folder.path("b")), FileOperations::Done);
    operations.giveNextCall();
    EXPECT_EQ(operations.removePermanently(folder.path("b")), FileOperations::Failed);
    EXPECT_TRUE(operations.exists(folder.path("b")));
    ASSERT_EQ(operations.calls().size(), 4u);
    EXPECT_EQ(operations.calls()[1].to, folder.path("b"));
}

}  // namespace
