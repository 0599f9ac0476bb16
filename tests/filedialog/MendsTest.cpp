// The file dialog acts on the real item: names that are not UTF-8, folders that vanished, the
// name a save proposes, volumes, the store folder and the Browse picker's root.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QStandardPaths>

#include "DialogFixture.h"
#include "EnvironmentOverride.h"
#include "FolderListing.h"
#include "RootedFolderPicker.h"
#include "StoreFolder.h"

namespace {

using Mends = DialogFixture;

QByteArray nativeIn(const FolderFixture& folder, const QByteArray& name) {
    return QFile::encodeName(folder.path()) + '/' + name;
}

void makeNativeFile(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0) << path.constData();
    ::close(fd);
}

TEST_F(Mends, NamesThatAreNotUtf8AreOpenedByTheirBytes) {
    const QByteArray folderName("d\xFCr");
    ASSERT_EQ(::mkdir(nativeIn(folder, folderName).constData(), 0755), 0);
    makeNativeFile(nativeIn(folder, folderName + "/caf\xE9.lng"));
    prepare(TForm_FileDialog::OpenMode, "lng");
    dialog->show();
    select(QFile::decodeName(folderName));
    dialog->lstvwVirtualListDblClick();
    ASSERT_EQ(shownNames().size(), 1) << "the folder opened by its real name";
    dialog->lstvwVirtualListDblClick();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->ResultNativePath(), nativeIn(folder, folderName + "/caf\xE9.lng"));
}

TEST_F(Mends, AFolderThatVanishedIsReportedAndTheNearestFolderShown) {
    folder.makeFolder("gone");
    folder.makeFolder("deep/er");
    prepare(TForm_FileDialog::SaveMode, "lng", "neu");
    dialog->show();
    select("gone");
    ASSERT_EQ(::rmdir(QFile::encodeName(folder.path("gone")).constData()), 0);
    dialog->lstvwVirtualListDblClick();
    EXPECT_EQ(reportedErrors.size(), 1);
    EXPECT_EQ(dialog->currentPath(), folder.path());
    EXPECT_EQ(shownNames(), QStringList{"deep"});

    dialog->NavigateToPath(folder.path("deep/er"));
    QDir(folder.path("deep")).removeRecursively();
    dialog->SpeedButton_RefreshClick();
    EXPECT_EQ(reportedErrors.size(), 2);
    EXPECT_EQ(dialog->currentPath(), folder.path());

    dialog->NavigateToPath(folder.path());
    folder.makeFolder("later");
    dialog->NavigateToPath(folder.path("later"));
    QDir(folder.path("later")).removeRecursively();
    okButton()->click();
    EXPECT_TRUE(dialog->isVisible()) << "no save into a folder that is gone";
    EXPECT_EQ(dialog->currentPath(), folder.path());
}

TEST_F(Mends, SaveKeepsTheDefaultNameAndWritesOverTheListedFile) {
    folder.makeFile("x.lng");
    folder.makeFile("Deutsch.LNG");
    prepare(TForm_FileDialog::SaveMode, "lng", "neu");
    dialog->show();
    EXPECT_EQ(fileName()->text(), "neu.lng") << "the first row does not replace the default";
    select("x.lng");
    EXPECT_EQ(fileName()->text(), "x.lng") << "a row the user selects does";
    fileName()->setText("Deutsch");
    okButton()->click();
    EXPECT_EQ(dialog->ResultPath(), folder.path("Deutsch.LNG"));
}

TEST_F(Mends, NothingIsListedBeforePrepare) {
    EXPECT_EQ(dialog->listModel()->rowCount(), 0);
    EXPECT_TRUE(control<QLineEdit>("Edit_Pfad")->text().isEmpty());
}

TEST(Volumes, RemoteMountsAreTakenUnseenAndVolumesGoBackToTheComputer) {
    const auto volumes = FolderListing::volumeEntries({"/etc/hosts"}, {"/no/such/remote"});
    ASSERT_EQ(volumes.size(), 2u);
    EXPECT_EQ(volumes[1].name, "/no/such/remote");
    for (const char* type : {"nfs4", "cifs", "fuse.sshfs", "9p"}) {
        EXPECT_TRUE(FolderListing::isRemoteFileSystem(type)) << type;
    }
    for (const char* type : {"ext4", "tmpfs", "btrfs", "proc"}) {
        EXPECT_FALSE(FolderListing::isRemoteFileSystem(type)) << type;
    }
    FolderFixture folder;
    folder.makeFolder("sub");
    const FolderLocation volume =
        FolderLocation::computer().child(QFile::encodeName(folder.path()));
    const FolderLocation below = volume.child("sub");
    EXPECT_EQ(volume.depth(), 2);
    EXPECT_EQ(below.depth(), 3);
    EXPECT_EQ(below.parent(), volume);
    EXPECT_EQ(volume.parent(), FolderLocation::computer());
    EXPECT_EQ(FolderLocation::parse(folder.path())->parent().path(),
              QFileInfo(folder.path()).path());
}

TEST_F(Mends, TheStoreFolderIsTheUsersOwnAndHidden) {
    EXPECT_TRUE(dialog->storeFolder().startsWith(
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)));
    folder.makeFolder("data");
    folder.makeFile("data/.hidden");
    ASSERT_EQ(dialog->SetStoreFolder(folder.path("data/LNG/")), 0);
    ASSERT_EQ(dialog->SetStoreFolder(folder.path("data/LNG")), 0);
    QFile hidden(folder.path("data/.hidden"));
    ASSERT_TRUE(hidden.open(QIODevice::ReadOnly));
    EXPECT_EQ(hidden.readAll(), "x\nLNG\n") << "added once, the old lines kept";
    folder.makeFile("data/a.lng");
    prepare(TForm_FileDialog::OpenMode, "lng", QString(), folder.path("data"));
    EXPECT_EQ(shownNames(), QStringList{"a.lng"});

    folder.makeFolder("other/.hidden");
    EXPECT_EQ(StoreFolder::prepare(folder.path("other/store"), nullptr), -4);
}

// Cache cleaners empty ~/.cache; a cut item's only copy must not be there.
TEST(DefaultStore, LivesInTheDataFolderAndTakesTheOldStoreAlongOnce) {
    FolderFixture home;
    const EnvironmentOverride cache("XDG_CACHE_HOME", QFile::encodeName(home.path("cache")));
    const EnvironmentOverride data("XDG_DATA_HOME", QFile::encodeName(home.path("data")));
    home.makeFolder("cache/kalvio/store/docs");
    home.makeFile("cache/kalvio/store/~INDEX.LST", 7);
    EXPECT_EQ(StoreFolder::defaultFolder(), home.path("data/kalvio/store/"));
    EXPECT_TRUE(QFileInfo(home.path("data/kalvio/store/docs")).isDir());
    EXPECT_EQ(QFileInfo(home.path("data/kalvio/store/~INDEX.LST")).size(), 7);
    EXPECT_FALSE(QFileInfo::exists(home.path("cache/kalvio/store")));

    home.makeFolder("cache/kalvio/store/later");
    StoreFolder::defaultFolder();
    EXPECT_TRUE(QFileInfo(home.path("cache/kalvio/store/later")).isDir()) << "only once";
    EXPECT_FALSE(QFileInfo::exists(home.path("data/kalvio/store/later")));
}

TEST(RootedFolderPicker, StaysAtOrBelowItsRoot) {
    FolderFixture folder;
    folder.makeFolder("root/inside");
    folder.makeFolder("rootless");
    ASSERT_EQ(::symlink("../rootless", QFile::encodeName(folder.path("root/out")).constData()), 0);
    const QString root = folder.path("root");
    const struct {
        QString path;
        bool inside;
    } cases[] = {
        {root, true},
        {folder.path("root/inside"), true},
        {folder.path("root/out"), false},
        {folder.path("rootless"), false},
        {folder.path(), false},
        {"/", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RootedFolderPicker::isAtOrBelow(c.path, root), c.inside) << c.path.toStdString();
    }
    RootedFolderPicker picker(root);
    EXPECT_TRUE(picker.windowTitle().isEmpty());
    picker.setDirectory(folder.path("root/inside"));
    EXPECT_EQ(picker.directory().path(), folder.path("root/inside"));
    // The dialog reports every move of the user's this way.
    picker.setDirectory(folder.path());
    emit picker.directoryEntered(folder.path());
    EXPECT_EQ(picker.directory().path(), root);
    picker.selectFile(folder.path("rootless"));
    picker.accept();
    EXPECT_NE(picker.result(), QDialog::Accepted);
}

}  // namespace
