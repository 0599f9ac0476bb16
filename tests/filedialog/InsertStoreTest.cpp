#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>

#include "FakeFileOperations.h"
#include "InsertStore.h"
#include "NativeFolder.h"

namespace {

using Names = std::vector<QByteArray>;

// A store folder "store/" beside the files a test cuts and copies from.
class InsertStoreTest : public testing::Test {
  protected:
    InsertStoreTest() {
        folder.makeFolder("store");
        store.setFolder(folder.path("store/"));
    }

    // Copies a new file of that name into the store and lists it, as Copy does.
    void copyIntoStore(const QByteArray& name, const QByteArray& contents) {
        folder.write(name, contents);
        ASSERT_EQ(operations.copy(folder.path(name), store.itemPath(name)), FileOperations::Done);
        store.add(name);
    }

    // Every path an operation was given lies inside the store folder.
    void expectOnlyStoreTouched() const {
        for (const FakeFileOperations::Call& call : operations.calls()) {
            EXPECT_TRUE(call.path.startsWith(store.folder())) << call.path.constData();
        }
    }

    NativeFolder folder;
    FakeFileOperations operations;
    InsertStore store{operations};
};

TEST_F(InsertStoreTest, CopyingANameTwiceListsItOnceWithTheNewerItem) {
    copyIntoStore("report.txt", "first");
    copyIntoStore("other.txt", "other");
    copyIntoStore("report.txt", "second");
    EXPECT_EQ(store.names(), (Names{"report.txt", "other.txt"}));
    EXPECT_EQ(folder.read("store/report.txt"), "second");
}

TEST_F(InsertStoreTest, EleventhNameDropsTheOldestWithItsItem) {
    for (int i = 0; i <= 10; ++i) {
        copyIntoStore("item" + QByteArray::number(i), "x");
    }
    ASSERT_EQ(store.count(), 10);
    EXPECT_EQ(store.names().front(), "item10");
    EXPECT_EQ(store.names().back(), "item1");
    EXPECT_EQ(operations.pathsOf(FakeFileOperations::RemovePermanently),
              Names{store.itemPath("item0")});
    EXPECT_FALSE(operations.exists(store.itemPath("item0")));
    EXPECT_TRUE(operations.exists(store.itemPath("item1")));
}

TEST_F(InsertStoreTest, ListOutlivesTheStoreAndCaptionsFolders) {
    folder.makeFolder("store/photos");
    store.add("photos");
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
        store.add(name);
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
    folder.write("store/ok", "x");
    EXPECT_FALSE(store.load());
    store.add("ok");
    EXPECT_EQ(folder.read("elsewhere.lst"), "ok\r\n");
    EXPECT_EQ(folder.read("store/~INDEX.LST"), "ok\r\n");
    EXPECT_TRUE(folder.linkTarget("store/~INDEX.LST").isEmpty());
}

TEST_F(InsertStoreTest, ClearRemovesEveryItemLastFirstAndEmptiesTheList) {
    copyIntoStore("first.txt", "1");
    folder.makeFolder("store/folder");
    folder.write("store/folder/inside.txt", "2");
    store.add("folder");
    copyIntoStore("last.txt", "3");

    store.clear();
    EXPECT_EQ(store.count(), 0);
    EXPECT_EQ(
        operations.pathsOf(FakeFileOperations::RemovePermanently),
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
