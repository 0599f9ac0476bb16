#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QStringList>

#include "FolderFixture.h"
#include "FolderListing.h"

namespace {

QStringList namesOf(const std::vector<ShellEntry>& entries) {
    QStringList names;
    for (const ShellEntry& entry : entries) {
        names << entry.name;
    }
    return names;
}

std::vector<ShellEntry> list(const FolderFixture& folder, const QString& filter,
                             quint32 flags = FolderListing::DefaultFlags) {
    return FolderListing::enumerate(*FolderLocation::parse(folder.path()), filter, flags);
}

TEST(FolderListing, FiltersFilesAndAlwaysTakesFolders) {
    FolderFixture folder;
    for (const char* name : {"a.lng", "B.Lng", "c.txt", "README"}) {
        folder.makeFile(QString::fromUtf8(name));
    }
    folder.makeFolder("Sprachen.d");
    const struct {
        const char* filter;
        QStringList expected;
    } cases[] = {
        {".lng", {"Sprachen.d", "a.lng", "B.lng"}},
        {".*", {"Sprachen.d", "a.lng", "B.lng", "c.txt", "README"}},
        {".", {"Sprachen.d"}},
        {".pdf", {"Sprachen.d"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(namesOf(list(folder, c.filter)), c.expected) << c.filter;
    }
}

TEST(FolderListing, RowKeepsTheRealNameBehindTheShownOne) {
    FolderFixture folder;
    folder.makeFile("Report.PDF");
    const auto entries = list(folder, ".pdf");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, "Report.pdf");
    EXPECT_EQ(entries[0].fileName, "Report.PDF");
    EXPECT_FALSE(entries[0].isFolder);
    EXPECT_TRUE(entries[0].detailsPending);
}

TEST(FolderListing, SortsFoldersFirstThenNaturally) {
    FolderFixture folder;
    for (const char* name : {"file10.txt", "file2.txt", "File1.txt", "apple.txt", "Zebra.txt"}) {
        folder.makeFile(QString::fromUtf8(name));
    }
    folder.makeFolder("zz");
    folder.makeFolder("Aa");
    EXPECT_EQ(namesOf(list(folder, ".txt")), QStringList({"Aa", "zz", "apple.txt", "File1.txt",
                                                          "file2.txt", "file10.txt", "Zebra.txt"}));
}

TEST(FolderListing, FlagsChooseFoldersFilesAndHiddenItems) {
    FolderFixture folder;
    folder.makeFile(".hidden.txt");
    folder.makeFile("shown.txt");
    folder.makeFolder(".config");
    folder.makeFolder("sub");
    const struct {
        quint32 flags;
        QStringList expected;
    } cases[] = {
        {FolderListing::DefaultFlags, {"sub", "shown.txt"}},
        {FolderListing::Folders, {"sub"}},
        {FolderListing::NonFolders, {"shown.txt"}},
        {FolderListing::DefaultFlags | FolderListing::IncludeHidden,
         {".config", "sub", ".hidden.txt", "shown.txt"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(namesOf(list(folder, ".txt", c.flags)), c.expected) << c.flags;
    }
}

TEST(FolderListing, LinkToAFolderIsAFolder) {
    FolderFixture folder;
    folder.makeFolder("target");
    ASSERT_EQ(symlink(QFile::encodeName(folder.path("target")).constData(),
                      QFile::encodeName(folder.path("link")).constData()),
              0);
    ASSERT_EQ(symlink("/nonexistent/nowhere.txt",
                      QFile::encodeName(folder.path("broken.txt")).constData()),
              0);
    const auto entries = list(folder, ".txt");
    ASSERT_EQ(namesOf(entries), QStringList({"link", "target", "broken.txt"}));
    EXPECT_TRUE(entries[0].isFolder);
    EXPECT_FALSE(entries[2].isFolder);
}

TEST(FolderListing, UnusualNamesSurviveTheRoundTrip) {
    FolderFixture folder;
    const QString longName = QString(251, QLatin1Char('L')) + QStringLiteral(".txt");
    const QStringList names = {QStringLiteral("name with  blanks .txt"),
                               QString::fromUtf8("Übersicht Größe.txt"), longName};
    for (const QString& name : names) {
        folder.makeFile(name);
    }
    for (const ShellEntry& entry : list(folder, ".txt")) {
        EXPECT_TRUE(names.contains(entry.fileName)) << entry.fileName.toStdString();
        EXPECT_TRUE(QFile::exists(folder.path(entry.fileName)));
    }
    EXPECT_EQ(list(folder, ".txt").size(), 3u);
}

TEST(FolderListing, MissingOrUnreadableFolderGivesAnEmptyList) {
    FolderFixture folder;
    folder.makeFolder("gone");
    const auto gone = FolderLocation::parse(folder.path("gone"));
    ASSERT_TRUE(gone);
    rmdir(QFile::encodeName(folder.path("gone")).constData());
    EXPECT_TRUE(FolderListing::enumerate(*gone, ".*", FolderListing::DefaultFlags).empty());
}

TEST(FolderListing, ComputerListsTheRootVolumeAndNetworkNothing) {
    const auto computer =
        FolderListing::enumerate(FolderLocation::computer(), ".*", FolderListing::DefaultFlags);
    const QStringList names = namesOf(computer);
    EXPECT_TRUE(names.contains("/"));
    for (const ShellEntry& entry : computer) {
        EXPECT_TRUE(entry.isFolder);
    }
    const auto network = FolderLocation::parse(FolderLocation::NetworkPath);
    ASSERT_TRUE(network);
    EXPECT_TRUE(FolderListing::enumerate(*network, ".*", FolderListing::DefaultFlags).empty());
}

// In a chroot or a container the root may be no listed mount; it is listed all the same, once.
TEST(FolderListing, RootIsAlwaysAVolume) {
    const QStringList cases[] = {{}, {"/proc", "/etc/hosts"}, {"/", "/proc", "/"}};
    for (const QStringList& mounts : cases) {
        EXPECT_EQ(namesOf(FolderListing::volumeEntries(mounts)).count("/"), 1)
            << mounts.join(' ').toStdString();
    }
    EXPECT_EQ(namesOf(FolderListing::volumeEntries({"/proc", "/etc/hosts"})),
              (QStringList{"/", "/proc"}));
}

TEST(FolderLocation, DepthAndParentFollowTheItemList) {
    const auto root = FolderLocation::parse("/");
    const auto usr = FolderLocation::parse("/usr/");
    ASSERT_TRUE(root && usr);
    EXPECT_EQ(FolderLocation::computer().depth(), 1);
    EXPECT_EQ(root->depth(), 2);
    EXPECT_EQ(usr->depth(), 3);
    EXPECT_EQ(usr->path(), "/usr");
    EXPECT_EQ(usr->parent().path(), "/");
    EXPECT_EQ(root->parent().path(), FolderLocation::ComputerPath);
    EXPECT_EQ(FolderLocation::computer().parent().path(), FolderLocation::ComputerPath);
    EXPECT_FALSE(FolderLocation::parse("relative/path"));
    EXPECT_FALSE(FolderLocation::parse("/no/such/folder/here"));
}

}  // namespace
