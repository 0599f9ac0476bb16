#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#include <utime.h>

#include <QDateTime>
#include <QFile>
#include <QLocale>

#include "FileEntryDetails.h"
#include "FolderFixture.h"

namespace {

// The attribute letters the list shows for the entry `name` of the folder.
QString LettersOf(const FolderFixture& folder, const QString& name) {
    return FileEntryDetails::attributeLetters(
        FileEntryDetails().fetch(folder.path(name), false).attributes);
}

void setModified(const QString& path, const QDateTime& when) {
    utimbuf times{};
    times.actime = when.toSecsSinceEpoch();
    times.modtime = when.toSecsSinceEpoch();
    ASSERT_EQ(utime(QFile::encodeName(path).constData(), &times), 0);
}

TEST(FileEntryDetails, SizeIsTheWholeSizePastFourGigabytes) {
    FolderFixture folder;
    const qint64 fiveGiB = qint64{5} << 30;
    folder.makeFile("big.bin", fiveGiB);
    folder.makeFile("small.bin", 1234);
    const FileEntryDetails details;
    EXPECT_EQ(details.fetch(folder.path("big.bin"), false).size, fiveGiB);
    EXPECT_EQ(FileEntryDetails::sizeText(fiveGiB), "5368709120");
    EXPECT_EQ(details.fetch(folder.path("small.bin"), false).size, 1234);
}

TEST(FileEntryDetails, AttributeLettersFollowNameAndKind) {
    FolderFixture folder;
    folder.makeFile(".profile");
    folder.makeFile("plain.txt");
    ASSERT_EQ(mkfifo(QFile::encodeName(folder.path("pipe")).constData(), 0644), 0);
    const FileEntryDetails details;
    EXPECT_EQ(LettersOf(folder, ".profile"), "H");
    EXPECT_EQ(LettersOf(folder, "plain.txt"), "");
    // A pipe must be typed without reading from it, which would block the dialog.
    const EntryDetails pipe = details.fetch(folder.path("pipe"), false);
    EXPECT_EQ(FileEntryDetails::attributeLetters(pipe.attributes), "S");
    EXPECT_FALSE(pipe.typeName.isEmpty());
    EXPECT_EQ(FileEntryDetails::attributeLetters(EntryDetails::ReadOnly | EntryDetails::Hidden |
                                                 EntryDetails::System),
              "RHS");
}

TEST(FileEntryDetails, ReadOnlyWhenTheUserMayNotWrite) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root may write every file; run as an ordinary user to check R";
    }
    FolderFixture folder;
    folder.makeFile("locked.txt");
    ASSERT_EQ(chmod(QFile::encodeName(folder.path("locked.txt")).constData(), 0444), 0);
    EXPECT_EQ(LettersOf(folder, "locked.txt"), "R");
}

TEST(FileEntryDetails, ModifiedLeavesOutMidnightAndZero) {
    FolderFixture folder;
    folder.makeFile("midnight.txt");
    folder.makeFile("afternoon.txt");
    folder.makeFile("epoch.txt");
    const QDate day(2023, 3, 14);
    setModified(folder.path("midnight.txt"), QDateTime(day, QTime(0, 0)));
    setModified(folder.path("afternoon.txt"), QDateTime(day, QTime(15, 9, 26)));
    setModified(folder.path("epoch.txt"), QDateTime::fromSecsSinceEpoch(0));
    const FileEntryDetails details;
    const QString date = QLocale().toString(day, QLocale::ShortFormat);
    EXPECT_EQ(details.fetch(folder.path("midnight.txt"), false).modified, date);
    const QString afternoon = details.fetch(folder.path("afternoon.txt"), false).modified;
    EXPECT_TRUE(afternoon.startsWith(date + QLatin1Char(' '))) << afternoon.toStdString();
    EXPECT_TRUE(afternoon.contains(QStringLiteral("26"))) << "seconds are shown";
    EXPECT_EQ(details.fetch(folder.path("epoch.txt"), false).modified, QString());
}

TEST(FileEntryDetails, VanishedItemGivesEmptyDetails) {
    FolderFixture folder;
    const FileEntryDetails details;
    const EntryDetails gone = details.fetch(folder.path("vanished.txt"), false);
    EXPECT_EQ(gone.size, 0);
    EXPECT_TRUE(gone.modified.isEmpty());
    EXPECT_EQ(gone.attributes, 0);
    EXPECT_FALSE(gone.icon.isNull());
}

TEST(FileEntryDetails, TypeNamesComeFromTheMimeDatabase) {
    FolderFixture folder;
    folder.makeFile("doc.pdf");
    folder.makeFolder("sub");
    const FileEntryDetails details;
    const QMimeDatabase mime;
    EXPECT_EQ(details.fetch(folder.path("doc.pdf"), false).typeName,
              mime.mimeTypeForName("application/pdf").comment());
    EXPECT_EQ(details.fetch(folder.path("sub"), true).typeName,
              mime.mimeTypeForName("inode/directory").comment());
}

}  // namespace
