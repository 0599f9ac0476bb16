// The insert list file and the ".hidden" line on a full disk: the old file stays as it was and
// the operation that needed the line is undone. A small tmpfs of the test's own is the disk;
// where none can be mounted (mounting needs root) the tests say so and skip.
#include <gtest/gtest.h>
#include <sys/mount.h>

#include <QFile>
#include <QTemporaryDir>
#include <cerrno>

#include "FakeFileOperations.h"
#include "InsertStore.h"
#include "StoreFolder.h"

namespace {

class SmallVolume {
  public:
    SmallVolume()
        : mounted_(::mount("kalvio-test", QFile::encodeName(folder_.path()).constData(), "tmpfs", 0,
                           "size=256k") == 0),
          mountError_(mounted_ ? 0 : errno) {}
    ~SmallVolume() {
        if (mounted_) {
            ::umount2(QFile::encodeName(folder_.path()).constData(), MNT_DETACH);
        }
    }
    SmallVolume(const SmallVolume&) = delete;
    SmallVolume& operator=(const SmallVolume&) = delete;

    bool mounted() const { return mounted_; }
    QString whyNot() const { return QString::fromLocal8Bit(std::strerror(mountError_)); }
    QString path(const QString& name) const { return folder_.filePath(name); }
    // Writes until the volume takes no more bytes.
    void fill() const {
        QFile filler(path("filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
    }

  private:
    QTemporaryDir folder_;
    bool mounted_;
    int mountError_;
};

void writeFile(const QString& path, const QByteArray& contents) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(contents), contents.size());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

TEST(FullDisk, TheListFileStaysAndTheNewItemWaitsToBeGivenBack) {
    SmallVolume volume;
    if (!volume.mounted()) {
        GTEST_SKIP() << "no tmpfs can be mounted here: " << volume.whyNot().toStdString();
    }
    FakeFileOperations operations;
    InsertStore store(operations);
    store.setFolder(QFile::encodeName(volume.path("store")));
    ASSERT_EQ(operations.makeFolder(store.folder()), FileOperations::Done);
    writeFile(volume.path("store/older.txt"), "older");
    writeFile(volume.path("store/~INDEX.LST"), "older.txt\r\n");
    writeFile(volume.path("a.txt"), "cut");
    ASSERT_TRUE(store.load());
    volume.fill();

    const QByteArray incoming = store.incomingPath();
    ASSERT_EQ(operations.move(QFile::encodeName(volume.path("a.txt")), incoming),
              FileOperations::Done);
    EXPECT_FALSE(store.takeIn("a.txt", incoming));
    EXPECT_EQ(readFile(volume.path("store/~INDEX.LST")), "older.txt\r\n");
    EXPECT_EQ(store.names(), std::vector<QByteArray>{"older.txt"});
    EXPECT_EQ(readFile(QFile::decodeName(incoming)), "cut");
    EXPECT_EQ(readFile(volume.path("store/older.txt")), "older");
}

TEST(FullDisk, TheHiddenFileKeepsItsLines) {
    SmallVolume volume;
    if (!volume.mounted()) {
        GTEST_SKIP() << "no tmpfs can be mounted here: " << volume.whyNot().toStdString();
    }
    writeFile(volume.path(".hidden"), "mine\n");
    volume.fill();
    QString stored;
    EXPECT_EQ(StoreFolder::prepare(volume.path("LNG"), &stored), -4);
    EXPECT_EQ(readFile(volume.path(".hidden")), "mine\n");
}

}  // namespace
