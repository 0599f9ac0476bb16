// The dialog's Delete against the desktop's own trash tools: each item is listed with its
// original path and comes back with the same name and bytes. A temporary HOME and
// XDG_DATA_HOME keep every real trash out of reach.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "DiskFileOperations.h"
#include "EnvironmentOverride.h"
#include "NativeFolder.h"
#include "OtherFileSystem.h"
#include "TrashTools.h"

namespace {

enum class Kind { File, DanglingLink, LinkToFolder, FolderWithContent };

const QByteArray Contents = "contents \xFF\x00 kept";

QByteArray realFolder(const QByteArray& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.constData(), resolved) == nullptr ? QByteArray() : QByteArray(resolved);
}

// `at` is a path below the folder; a link to a folder points at "kept", which must exist.
void makeItem(const NativeFolder& folder, const QByteArray& at, Kind kind) {
    switch (kind) {
        case Kind::File:
            folder.write(at, Contents);
            break;
        case Kind::DanglingLink:
            folder.link(at, "nowhere/at/all");
            break;
        case Kind::LinkToFolder:
            folder.link(at, "kept");
            break;
        case Kind::FolderWithContent:
            folder.makeFolder(at);
            folder.makeFolder(at + "/sub");
            folder.write(at + "/sub/inner.txt", Contents);
            folder.link(at + "/link", "sub/inner.txt");
            break;
    }
}

void expectItem(const NativeFolder& folder, const QByteArray& at, Kind kind, const char* what) {
    switch (kind) {
        case Kind::File:
            EXPECT_EQ(folder.read(at), Contents) << what;
            break;
        case Kind::DanglingLink:
            EXPECT_EQ(folder.linkTarget(at), "nowhere/at/all") << what;
            break;
        case Kind::LinkToFolder:
            EXPECT_EQ(folder.linkTarget(at), "kept") << what;
            break;
        case Kind::FolderWithContent:
            EXPECT_EQ(folder.read(at + "/sub/inner.txt"), Contents) << what;
            EXPECT_EQ(folder.linkTarget(at + "/link"), "sub/inner.txt") << what;
            break;
    }
}

bool isGone(const QByteArray& path) {
    struct stat status {};
    return ::lstat(path.constData(), &status) != 0 && errno == ENOENT;
}

// The names in a trash folder's info/, each with its record.
QList<QByteArray> recordNames(const QByteArray& trash) {
    QList<QByteArray> names;
    DIR* const folder = ::opendir((trash + "/info").constData());
    if (folder == nullptr) {
        return names;
    }
    while (const dirent* item = ::readdir(folder)) {
        if (item->d_type == DT_REG) {
            names << QByteArray(item->d_name);
        }
    }
    ::closedir(folder);
    return names;
}

// The bytes the record's Path= stands for.
QByteArray pathOnRecord(const QByteArray& record) {
    for (const QByteArray& line : record.split('\n')) {
        if (line.startsWith("Path=")) {
            return QByteArray::fromPercentEncoding(line.mid(5));
        }
    }
    return {};
}

// How trash-list shows a path: bytes that are no UTF-8 as U+FFFD.
QByteArray asListed(const QByteArray& path) {
    return QString::fromUtf8(path).toUtf8();
}

// How gio shows a path: every byte but printable ASCII, the backslash too, as \xNN.
QByteArray asListedByGio(const QByteArray& path) {
    QByteArray shown;
    for (const char byte : path) {
        const auto value = static_cast<unsigned char>(byte);
        if (value >= 0x20 && value < 0x7F && byte != '\\') {
            shown += byte;
        } else {
            shown += "\\x" + QByteArray::number(value, 16).rightJustified(2, '0');
        }
    }
    return shown;
}

struct TrashCase {
    const char* what;
    QByteArray name;
    Kind kind;
    // trash-cli decodes a record's path as UTF-8 and so cannot give other bytes back.
    bool toolRestoresBytes = true;
    // gio restores to the path as it shows it, with a control character written out as "\x0a"
    // (so with what gio trashes itself too).
    bool gioRestoresName = true;
};

const TrashCase HomeCases[] = {
    {"percent and blank", "50% off.pdf", Kind::File},
    {"escape-like percent", "100%41.txt", Kind::File},
    {"escaped slash", "a%2Fb.txt", Kind::File},
    {"newline", "two\nlines.txt", Kind::File, true, false},
    {"no UTF-8", "caf\xE9.txt", Kind::File, false},
    {"dangling link", "dangling", Kind::DanglingLink},
    {"link to a folder", "folder link", Kind::LinkToFolder},
    {"folder with content", "docs", Kind::FolderWithContent},
};

class HomeTrashFixture {
  public:
    HomeTrashFixture() {
        folder.makeFolder("work");
        folder.makeFolder("work/kept");
        folder.write("work/kept/stays.txt", Contents);
    }
    QByteArray trash() const { return folder.path("data/Trash"); }

    NativeFolder folder;
    const EnvironmentOverride home{"HOME", folder.path()};
    const EnvironmentOverride dataHome{"XDG_DATA_HOME", folder.path("data")};
};

TEST(DesktopTrash, HomeTrashRecordsEveryNameSoThatTheToolsRestoreIt) {
    const bool toolsThere = TrashTools::has("trash-list") && TrashTools::has("trash-restore");
    for (const TrashCase& c : HomeCases) {
        HomeTrashFixture fixture;
        const NativeFolder& folder = fixture.folder;
        makeItem(folder, "work/" + c.name, c.kind);
        const QByteArray original = realFolder(folder.path("work")) + '/' + c.name;

        ASSERT_EQ(DiskFileOperations().moveToTrash(folder.path("work/" + c.name)),
                  FileOperations::Done)
            << c.what;
        EXPECT_TRUE(isGone(original)) << c.what;
        EXPECT_EQ(folder.read("work/kept/stays.txt"), Contents) << c.what << ": never followed";
        const QList<QByteArray> records = recordNames(fixture.trash());
        ASSERT_EQ(records.size(), 1) << c.what;
        EXPECT_EQ(records.first(), c.name + ".trashinfo") << c.what;
        expectItem(folder, "data/Trash/files/" + c.name, c.kind, c.what);
        const QByteArray record = folder.read("data/Trash/info/" + records.first());
        EXPECT_EQ(pathOnRecord(record), original) << c.what << ": " << record.constData();
        EXPECT_EQ(record.count('\n'), 3) << c.what << ": one record, three lines";

        if (!toolsThere) {
            continue;
        }
        const ToolRun listed = TrashTools::run("trash-list", {});
        EXPECT_TRUE(listed.output.contains(' ' + asListed(original) + '\n'))
            << c.what << ": " << listed.output.constData() << listed.errors.constData();
        if (!c.toolRestoresBytes) {
            continue;
        }
        const ToolRun restored = TrashTools::run("trash-restore", {}, folder.path("work"), "0\n");
        EXPECT_EQ(restored.exitCode, 0) << c.what << ": " << restored.errors.constData();
        expectItem(folder, "work/" + c.name, c.kind, c.what);
        EXPECT_TRUE(recordNames(fixture.trash()).isEmpty()) << c.what;
    }
    if (!toolsThere) {
        GTEST_SKIP() << "trash-cli is missing (tools/install-deps installs it): records checked, "
                        "listing and restoring not";
    }
}

// gio reads the trash through the desktop's virtual file system service, which a session bus
// of the test's own starts on demand.
TEST(DesktopTrash, GioListsAndRestoresWhatWasTrashed) {
    if (!TrashTools::has("gio") || !TrashTools::has("dbus-run-session")) {
        GTEST_SKIP() << "gio or dbus-run-session is missing (tools/install-deps installs "
                        "libglib2.0-bin, gvfs and dbus)";
    }
    {
        HomeTrashFixture fixture;
        const ToolRun probe = TrashTools::runGio({"trash", "--list"});
        if (probe.exitCode != 0) {
            GTEST_SKIP() << "gio cannot read the trash here (it needs gvfs, which "
                            "tools/install-deps installs): "
                         << probe.errors.constData();
        }
    }
    for (const TrashCase& c : HomeCases) {
        HomeTrashFixture fixture;
        makeItem(fixture.folder, "work/" + c.name, c.kind);
        const QByteArray original = realFolder(fixture.folder.path("work")) + '/' + c.name;
        ASSERT_EQ(DiskFileOperations().moveToTrash(fixture.folder.path("work/" + c.name)),
                  FileOperations::Done)
            << c.what;

        // One line an item: the item's address in the trash, a tab, its original path.
        const ToolRun listed = TrashTools::runGio({"trash", "--list"});
        const int at = listed.output.indexOf('\t' + asListedByGio(original) + '\n');
        ASSERT_GE(at, 0) << c.what << ": " << listed.output.constData();
        const int lineStart = listed.output.lastIndexOf('\n', at) + 1;
        const QByteArray uri = listed.output.mid(lineStart, at - lineStart);
        if (!c.toolRestoresBytes || !c.gioRestoresName) {
            continue;
        }
        const ToolRun restored = TrashTools::runGio({"trash", "--restore", QString::fromUtf8(uri)});
        EXPECT_EQ(restored.exitCode, 0) << c.what << ": " << restored.errors.constData();
        expectItem(fixture.folder, "work/" + c.name, c.kind, c.what);
        EXPECT_TRUE(recordNames(fixture.trash()).isEmpty()) << c.what;
    }
}

enum class TopSetUp { Nothing, StickyTrash, LinkToStickyFolder, TrashNotSticky, NoTrashPossible };

void setUpTop(const NativeFolder& folder, const QByteArray& top, TopSetUp setUp,
              const QByteArray& uid) {
    switch (setUp) {
        case TopSetUp::Nothing:
            break;
        case TopSetUp::StickyTrash:
            folder.makeFolder(top + "/.Trash");
            ::chmod(folder.path(top + "/.Trash").constData(), 01777);
            break;
        case TopSetUp::LinkToStickyFolder:
            folder.makeFolder(top + "/shared");
            ::chmod(folder.path(top + "/shared").constData(), 01777);
            folder.link(top + "/.Trash", "shared");
            break;
        case TopSetUp::TrashNotSticky:
            folder.makeFolder(top + "/.Trash");
            ::chmod(folder.path(top + "/.Trash").constData(), 0777);
            break;
        case TopSetUp::NoTrashPossible:
            folder.write(top + "/.Trash-" + uid, "no folder");
            break;
    }
}

TEST(DesktopTrash, OtherFileSystemsUseTheTrashAtTheirTop) {
    NativeFolder folder;
    folder.makeFolder("home");
    folder.makeFolder("mnt");
    const EnvironmentOverride home("HOME", folder.path("home"));
    const EnvironmentOverride dataHome("XDG_DATA_HOME", folder.path("home/data"));
    const OtherFileSystem other(folder.path("mnt"));
    if (!other.mounted()) {
        GTEST_SKIP() << "no second file system to test with: " << other.why().constData();
    }
    const QByteArray uid = QByteArray::number(static_cast<qulonglong>(::getuid()));
    const struct {
        const char* what;
        TopSetUp setUp;
        QByteArray name;
        QByteArray trash;  // below the top; empty where the item is deleted for good
        bool toolRestoresBytes = true;
    } cases[] = {
        {"no .Trash", TopSetUp::Nothing, "100%41.txt", ".Trash-" + uid},
        {"sticky .Trash", TopSetUp::StickyTrash, "a%2Fb.txt", ".Trash/" + uid},
        {".Trash a link", TopSetUp::LinkToStickyFolder, "50% off.pdf", ".Trash-" + uid},
        {".Trash not sticky", TopSetUp::TrashNotSticky, "x.txt", ".Trash-" + uid},
        {"no UTF-8", TopSetUp::Nothing, "caf\xE9.txt", ".Trash-" + uid, false},
        {"no trash possible", TopSetUp::NoTrashPossible, "gone.txt", ""},
    };
    const bool toolsThere = TrashTools::has("trash-list") && TrashTools::has("trash-restore");
    int index = 0;
    for (const auto& c : cases) {
        // Each case on a file system of its own, so that each top starts bare.
        const QByteArray top = "mnt/" + QByteArray::number(index++);
        folder.makeFolder(top);
        const OtherFileSystem own(folder.path(top));
        ASSERT_TRUE(own.mounted()) << own.why().constData();
        setUpTop(folder, top, c.setUp, uid);
        folder.makeFolder(top + "/d");
        folder.write(top + "/d/" + c.name, Contents);

        ASSERT_EQ(DiskFileOperations().moveToTrash(folder.path(top + "/d/" + c.name)),
                  FileOperations::Done)
            << c.what;
        EXPECT_TRUE(isGone(folder.path(top + "/d/" + c.name))) << c.what;
        EXPECT_FALSE(DiskFileOperations().exists(folder.path("home/data/Trash"))) << c.what;
        if (c.trash.isEmpty()) {
            continue;
        }
        const QByteArray trash = folder.path(top + '/' + c.trash);
        EXPECT_EQ(folder.read(top + '/' + c.trash + "/files/" + c.name), Contents) << c.what;
        EXPECT_EQ(pathOnRecord(folder.read(top + '/' + c.trash + "/info/" + c.name + ".trashinfo")),
                  "d/" + c.name)
            << c.what << ": relative to the top";
        EXPECT_FALSE(DiskFileOperations().exists(folder.path(top + "/shared/" + uid))) << c.what;
        if (!toolsThere) {
            continue;
        }
        const QByteArray original = realFolder(folder.path(top + "/d")) + '/' + c.name;
        const ToolRun listed = TrashTools::run("trash-list", {});
        EXPECT_TRUE(listed.output.contains(' ' + asListed(original) + '\n'))
            << c.what << ": " << listed.output.constData() << listed.errors.constData();
        if (c.toolRestoresBytes) {
            TrashTools::run("trash-restore", {}, folder.path(top + "/d"), "0\n");
            EXPECT_EQ(folder.read(top + "/d/" + c.name), Contents) << c.what;
            EXPECT_TRUE(recordNames(trash).isEmpty()) << c.what;
        } else {
            // Restore by hand what trash-cli cannot name, so that the next list is clean.
            ::unlink((trash + "/info/" + c.name + ".trashinfo").constData());
        }
    }
    if (!toolsThere) {
        GTEST_SKIP() << "trash-cli is missing (tools/install-deps installs it): records checked, "
                        "listing and restoring not";
    }
}

}  // namespace
