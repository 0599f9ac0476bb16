#include "DataFolders.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>

#include "TemporaryFolder.h"

namespace {

// Runs the lay-out with `folder` as the working folder and restores the old one afterwards.
DataFolders LayOutFrom(const QString& folder) {
    const QString before = QDir::currentPath();
    EXPECT_TRUE(QDir::setCurrent(folder));
    DataFolders folders = DataFolders::LayOut();
    EXPECT_EQ(QDir::currentPath(), QDir(folder).canonicalPath()) << "working folder restored";
    QDir::setCurrent(before);
    return folders;
}

TEST(DataFoldersTest, SiblingsOfTheStartFolderAreCreated) {
    test_support::TemporaryFolder root;
    const QString base = QDir(QString::fromStdString(root.path())).canonicalPath();
    ASSERT_TRUE(QDir(base).mkdir("BIN"));

    const DataFolders folders = LayOutFrom(base + "/BIN");
    EXPECT_EQ(folders.StartFolder, base + "/BIN/");
    EXPECT_EQ(folders.BaseFolder, base + "/");
    EXPECT_EQ(folders.ConfigFolder, base + "/CONFIG/");
    EXPECT_EQ(folders.TmpFolder, base + "/TMP/");
    EXPECT_EQ(folders.HelpFolder, base + "/HELP/");
    EXPECT_EQ(folders.LanguageFolder, base + "/LANGUAGE/");
    EXPECT_EQ(folders.TeamViewerFolder, base + "/TEAMVIEWER/");
    for (const char* name : {"CONFIG", "TMP", "HELP", "LANGUAGE", "TEAMVIEWER"}) {
        EXPECT_TRUE(QDir(base + "/" + name).exists()) << name;
    }
}

TEST(DataFoldersTest, ExistingFoldersAreKeptAsTheyAre) {
    test_support::TemporaryFolder root;
    const QString base = QDir(QString::fromStdString(root.path())).canonicalPath();
    ASSERT_TRUE(QDir(base).mkpath("BIN"));
    ASSERT_TRUE(QDir(base).mkpath("HELP/manuals"));
    const DataFolders folders = LayOutFrom(base + "/BIN");
    EXPECT_EQ(folders.HelpFolder, base + "/HELP/");
    EXPECT_TRUE(QDir(base + "/HELP/manuals").exists());
}

TEST(DataFoldersTest, FoldersThatCannotBeMadeFallBackToTheStartFolder) {
    // Nothing, not even root, can make folders in /proc.
    const DataFolders folders = LayOutFrom("/proc/sys");
    EXPECT_EQ(folders.StartFolder, "/proc/sys/");
    EXPECT_EQ(folders.BaseFolder, "/proc/");
    for (const QString& member : {folders.ConfigFolder, folders.TmpFolder, folders.HelpFolder,
                                  folders.LanguageFolder, folders.TeamViewerFolder}) {
        EXPECT_EQ(member, folders.StartFolder);
    }
}

}  // namespace
