#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QRegularExpression>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "DiskFileOperations.h"
#include "EnvironmentOverride.h"
#include "NativeFolder.h"
#include "OtherFileSystem.h"

namespace {

mode_t modeOf(const QByteArray& path) {
    struct stat status {};
    return ::lstat(path.constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// outside/ holds a file a link inside tree/ points to, tree/ a file, a folder and two links.
void buildTreeWithOutsideLinks(const NativeFolder& folder) {
    folder.makeFolder("outside");
    folder.write("outside/secret.txt", "secret");
    folder.makeFolder("tree");
    folder.write("tree/run.sh", "alpha", 0751);
    folder.makeFolder("tree/sub");
    folder.write("tree/sub/b.txt", "beta");
    folder.link("tree/out", "../outside");
    folder.link("tree/sub/secret", folder.path("outside/secret.txt"));
}

void expectOutsideUntouched(const NativeFolder& folder) {
    EXPECT_EQ(folder.read("outside/secret.txt"), "secret");
    DiskFileOperations disk;
    EXPECT_FALSE(disk.exists(folder.path("outside/run.sh")));
    EXPECT_FALSE(disk.exists(folder.path("outside/sub")));
}

TEST(DiskFileOperations, TreeCopyKeepsLinksAsLinksAndModes) {
    NativeFolder folder;
    buildTreeWithOutsideLinks(folder);
    DiskFileOperations disk;
    // An older item of the same name is replaced, as a stale store item is.
    folder.write("copy", "stale");

    ASSERT_EQ(disk.copy(folder.path("tree"), folder.path("copy")), FileOperations::Done);
    EXPECT_EQ(folder.read("copy/run.sh"), "alpha");
    EXPECT_EQ(modeOf(folder.path("copy/run.sh")), 0751u);
    EXPECT_EQ(folder.read("copy/sub/b.txt"), "beta");
    EXPECT_EQ(folder.linkTarget("copy/out"), "../outside");
    EXPECT_EQ(folder.linkTarget("copy/sub/secret"), folder.path("outside/secret.txt"));
    expectOutsideUntouched(folder);
}

TEST(DiskFileOperations, MoveOntoATreeRemovesItsLinksNotTheirTargets) {
    NativeFolder folder;
    buildTreeWithOutsideLinks(folder);
    folder.makeFolder("new");
    folder.write("new/c.txt", "gamma");
    DiskFileOperations disk;

    ASSERT_EQ(disk.move(folder.path("new"), folder.path("tree")), FileOperations::Done);
    EXPECT_EQ(folder.read("tree/c.txt"), "gamma");
    EXPECT_FALSE(disk.exists(folder.path("tree/out")));
    EXPECT_FALSE(disk.exists(folder.path("new")));
    expectOutsideUntouched(folder);
}

TEST(DiskFileOperations, RemovingATreeLeavesWhatItsLinksPointTo) {
    NativeFolder folder;
    buildTreeWithOutsideLinks(folder);
    DiskFileOperations disk;

    ASSERT_EQ(disk.removePermanently(folder.path("tree")), FileOperations::Done);
    EXPECT_FALSE(disk.exists(folder.path("tree")));
    expectOutsideUntouched(folder);
    EXPECT_EQ(disk.removePermanently(folder.path("tree")), FileOperations::Failed);
}

TEST(DiskFileOperations, FolderIsNeverCopiedOrMovedIntoItselfOrOntoWhatHoldsIt) {
    NativeFolder folder;
    folder.makeFolder("tree");
    folder.makeFolder("tree/sub");
    folder.write("tree/sub/keep.txt", "kept");
    folder.write("target.txt", "old");
    DiskFileOperations disk;
    const struct {
        const char* what;
        bool move;
        QByteArray from, to;
    } cases[] = {
        {"copy below itself", false, "tree", "tree/sub/inner"},
        {"copy onto itself", false, "tree", "tree"},
        {"copy through a trailing slash", false, "tree/", "tree/sub/"},
        {"copy onto the folder that holds it", false, "tree/sub", "tree"},
        {"move below itself", true, "tree", "tree/sub/inner"},
        {"move onto the folder that holds it", true, "tree/sub/keep.txt", "tree/sub"},
        {"missing source never replaces", false, "missing", "target.txt"},
        {"missing source never replaces", true, "missing", "target.txt"},
    };
    for (const auto& c : cases) {
        const QByteArray from = folder.path(c.from);
        const QByteArray to = folder.path(c.to);
        EXPECT_EQ(c.move ? disk.move(from, to) : disk.copy(from, to), FileOperations::Failed)
            << c.what;
        EXPECT_EQ(folder.read("tree/sub/keep.txt"), "kept") << c.what;
        EXPECT_FALSE(disk.exists(folder.path("tree/sub/inner"))) << c.what;
        EXPECT_EQ(folder.read("target.txt"), "old") << c.what;
    }
}

TEST(DiskFileOperations, NameThatIsNoUtf8IsActedOnByItsBytes) {
    NativeFolder folder;
    folder.makeFolder("data");
    folder.makeFolder("work");
    const EnvironmentOverride home("HOME", folder.path());
    const EnvironmentOverride dataHome("XDG_DATA_HOME", folder.path("data"));
    const QByteArray latin1Name = "caf\xE9.txt";
    folder.write("work/" + latin1Name, "latin-1");
    DiskFileOperations disk;

    ASSERT_EQ(disk.copy(folder.path("work/" + latin1Name), folder.path("work/na\xEFve.txt")),
              FileOperations::Done);
    ASSERT_EQ(disk.rename(folder.path("work/na\xEFve.txt"), folder.path("work/r\xE9sum\xE9")),
              FileOperations::Done);
    EXPECT_EQ(folder.read("work/r\xE9sum\xE9"), "latin-1");
    // A rename never replaces.
    EXPECT_EQ(disk.rename(folder.path("work/r\xE9sum\xE9"), folder.path("work/" + latin1Name)),
              FileOperations::Failed);

    ASSERT_EQ(disk.moveToTrash(folder.path("work/" + latin1Name)), FileOperations::Done);
    folder.write("work/" + latin1Name, "second");
    ASSERT_EQ(disk.moveToTrash(folder.path("work/" + latin1Name)), FileOperations::Done);
    EXPECT_FALSE(disk.exists(folder.path("work/" + latin1Name)));
    EXPECT_EQ(folder.read("data/Trash/files/" + latin1Name), "latin-1");
    EXPECT_EQ(folder.read("data/Trash/files/" + latin1Name + ".2"), "second");
    const QByteArray record = folder.read("data/Trash/info/" + latin1Name + ".trashinfo");
    const QRegularExpression recordForm(
        "\\A" +
        QRegularExpression::escape("[Trash Info]\nPath=" + folder.path().toPercentEncoding("/") +
                                   "/work/caf%E9.txt\nDeletionDate=") +
        "\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n\\z");
    EXPECT_TRUE(recordForm.match(QString::fromLatin1(record)).hasMatch()) << record.constData();
    EXPECT_TRUE(disk.exists(folder.path("data/Trash/info/" + latin1Name + ".2.trashinfo")));

    // A name Qt can decode goes the same way, through Qt.
    folder.write("work/caf\xC3\xA9.txt", "utf-8");
    ASSERT_EQ(disk.moveToTrash(folder.path("work/caf\xC3\xA9.txt")), FileOperations::Done);
    EXPECT_EQ(folder.read("data/Trash/files/caf\xC3\xA9.txt"), "utf-8");
}

// Qt does not make the data folder the home trash lives in; without it, it would leave the
// item in "files" below the current folder.
TEST(DiskFileOperations, TrashGoesHomeEvenBeforeTheDataFolderExists) {
    NativeFolder folder;
    folder.makeFolder("work");
    const EnvironmentOverride home("HOME", folder.path());
    const EnvironmentOverride dataHome("XDG_DATA_HOME", folder.path("new/share"));
    const QString before = QDir::currentPath();
    QDir::setCurrent(QFile::decodeName(folder.path("work")));
    folder.write("work/a.txt", "a");
    const int result = DiskFileOperations().moveToTrash(folder.path("work/a.txt"));
    QDir::setCurrent(before);
    EXPECT_EQ(result, FileOperations::Done);
    EXPECT_EQ(folder.read("new/share/Trash/files/a.txt"), "a");
    EXPECT_FALSE(DiskFileOperations().exists(folder.path("work/files")));
}

TEST(DiskFileOperations, MakeFolderCreatesEveryLevelOnce) {
    NativeFolder folder;
    folder.write("file", "x");
    DiskFileOperations disk;
    EXPECT_EQ(disk.makeFolder(folder.path("a/b\xFF/c")), FileOperations::Done);
    EXPECT_TRUE(disk.isFolder(folder.path("a/b\xFF/c")));
    EXPECT_EQ(disk.makeFolder(folder.path("a/b\xFF/")), FileOperations::Done);
    EXPECT_EQ(disk.makeFolder(folder.path("file")), FileOperations::Failed);
    EXPECT_EQ(disk.makeFolder(folder.path("file/below")), FileOperations::Failed);
}

}  // namespace

namespace {

int refuseFlagAsInvalid(const char*, const char*) {
    errno = EINVAL;
    return -1;
}

int refuseFlagAsMissing(const char*, const char*) {
    errno = ENOSYS;
    return -1;
}

// NFS and many FUSE mounts refuse RENAME_NOREPLACE; a rename there still renames, and never
// replaces what is at the new name.
TEST(DiskFileOperations, RenameWithoutTheNoReplaceFlagStillRenamesAndNeverReplaces) {
    const struct {
        const char* what;
        NoReplaceRename::RenameCall call;
        QByteArray from, to;
        int result;
    } cases[] = {
        {"file", refuseFlagAsInvalid, "a.txt", "b.txt", FileOperations::Done},
        {"file, no syscall", refuseFlagAsMissing, "a.txt", "b.txt", FileOperations::Done},
        {"folder", refuseFlagAsInvalid, "dir", "dir2", FileOperations::Done},
        {"link", refuseFlagAsInvalid, "link", "link2", FileOperations::Done},
        {"file onto a file", refuseFlagAsInvalid, "a.txt", "taken.txt", FileOperations::Failed},
        {"folder onto an empty folder", refuseFlagAsInvalid, "dir", "empty",
         FileOperations::Failed},
        {"folder onto a file", refuseFlagAsInvalid, "dir", "taken.txt", FileOperations::Failed},
        {"link onto a file", refuseFlagAsInvalid, "link", "taken.txt", FileOperations::Failed},
    };
    for (const auto& c : cases) {
        NativeFolder folder;
        folder.write("a.txt", "alpha");
        folder.write("taken.txt", "taken");
        folder.makeFolder("dir");
        folder.write("dir/in.txt", "inner");
        folder.makeFolder("empty");
        folder.link("link", "a.txt");
        DiskFileOperations disk{NoReplaceRename(c.call)};

        EXPECT_EQ(disk.rename(folder.path(c.from), folder.path(c.to)), c.result) << c.what;
        const bool renamed = c.result == FileOperations::Done;
        EXPECT_EQ(disk.exists(folder.path(c.from)), !renamed) << c.what;
        EXPECT_EQ(folder.read("taken.txt"), "taken") << c.what;
        EXPECT_TRUE(disk.isFolder(folder.path("empty"))) << c.what;
        EXPECT_EQ(folder.read(renamed && c.from == "dir" ? c.to + "/in.txt" : "dir/in.txt"),
                  "inner")
            << c.what;
        EXPECT_EQ(folder.read(renamed && c.from == "a.txt" ? c.to : "a.txt"), "alpha") << c.what;
        EXPECT_EQ(folder.linkTarget(renamed && c.from == "link" ? c.to : "link"), "a.txt")
            << c.what;
    }
}

}  // namespace

namespace {

// Insert copies to a free name; another program may take it first, and its item stays.
TEST(DiskFileOperations, CopyToNewNeverReplacesNorRemovesWhatWasThere) {
    const struct {
        const char* what;
        QByteArray from;
    } cases[] = {{"file", "tree/run.sh"}, {"folder", "tree"}, {"link", "tree/out"}};
    for (const auto& c : cases) {
        NativeFolder folder;
        buildTreeWithOutsideLinks(folder);
        folder.write("taken", "other program");
        DiskFileOperations disk;
        EXPECT_EQ(disk.copyToNew(folder.path(c.from), folder.path("taken")), FileOperations::Failed)
            << c.what;
        EXPECT_EQ(folder.read("taken"), "other program") << c.what;
        EXPECT_EQ(disk.copyToNew(folder.path(c.from), folder.path("free")), FileOperations::Done)
            << c.what;
        EXPECT_TRUE(disk.exists(folder.path("free"))) << c.what;
        expectOutsideUntouched(folder);
    }
}

}  // namespace

namespace {

timespec modifiedAt(const QByteArray& path) {
    struct stat status {};
    ::lstat(path.constData(), &status);
    return status.st_mtim;
}

void setModified(const QByteArray& path, long seconds) {
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ::utimensat(AT_FDCWD, path.constData(), times, AT_SYMLINK_NOFOLLOW);
}

TEST(DiskFileOperations, CopiesKeepModificationTimesAndModes) {
    NativeFolder folder;
    folder.makeFolder("tree");
    folder.makeFolder("tree/sub");
    folder.write("tree/sub/a.txt", "alpha", 0640);
    folder.link("tree/link", "sub/a.txt");
    ::chmod(folder.path("tree/sub").constData(), 0750);
    const struct {
        const char* what;
        QByteArray item;
        long seconds;
    } items[] = {
        {"file", "tree/sub/a.txt", 1000000000},
        {"link, not its target", "tree/link", 1100000000},
        {"folder, after its items", "tree/sub", 1200000000},
        {"top folder", "tree", 1300000000},
    };
    for (const auto& i : items) {
        setModified(folder.path(i.item), i.seconds);
    }
    ASSERT_EQ(DiskFileOperations().copy(folder.path("tree"), folder.path("copy")),
              FileOperations::Done);
    for (const auto& i : items) {
        const QByteArray copied = "copy" + i.item.mid(4);
        EXPECT_EQ(modifiedAt(folder.path(copied)).tv_sec, i.seconds) << i.what;
        EXPECT_EQ(modeOf(folder.path(copied)), modeOf(folder.path(i.item))) << i.what;
    }
}

void makeSocket(const QByteArray& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<std::size_t>(path.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}

// A move across file systems copies, then removes what it copied: a pipe or socket it cannot
// copy stays at the source, with the folders that hold it, and nothing is said.
TEST(DiskFileOperations, CutAcrossFileSystemsLeavesWhatItCouldNotCopy) {
    NativeFolder folder;
    folder.makeFolder("mnt");
    folder.makeFolder("store");
    const OtherFileSystem other(folder.path("mnt"));
    if (!other.mounted()) {
        GTEST_SKIP() << "no second file system to test with: " << other.why().constData();
    }
    folder.makeFolder("mnt/tree");
    folder.makeFolder("mnt/tree/sub");
    folder.write("mnt/tree/a.txt", "alpha");
    folder.write("mnt/tree/sub/b.txt", "beta");
    ASSERT_EQ(::mkfifo(folder.path("mnt/tree/pipe").constData(), 0600), 0);
    makeSocket(folder.path("mnt/tree/sub/socket"));
    DiskFileOperations disk;

    ASSERT_EQ(disk.move(folder.path("mnt/tree"), folder.path("store/tree")), FileOperations::Done);
    EXPECT_EQ(folder.read("store/tree/a.txt"), "alpha");
    EXPECT_EQ(folder.read("store/tree/sub/b.txt"), "beta");
    EXPECT_FALSE(disk.exists(folder.path("mnt/tree/a.txt")));
    EXPECT_FALSE(disk.exists(folder.path("mnt/tree/sub/b.txt")));
    struct stat status {};
    EXPECT_TRUE(::lstat(folder.path("mnt/tree/pipe").constData(), &status) == 0 &&
                S_ISFIFO(status.st_mode));
    EXPECT_TRUE(::lstat(folder.path("mnt/tree/sub/socket").constData(), &status) == 0 &&
                S_ISSOCK(status.st_mode));
}

}  // namespace
