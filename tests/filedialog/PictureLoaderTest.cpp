#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QtEndian>
#include <chrono>
#include <cstdio>
#include <future>

#include "FolderFixture.h"
#include "KeptFuzzInputs.h"
#include "PictureInput.h"
#include "PictureLoader.h"
#include "PictureSamples.h"

using namespace picture_samples;

// libemf2svg shuts fontconfig down for the whole process when it meets text given as glyph
// indices, under the feet of Qt's fonts. In this test program the call lands here and is counted.
static int fontconfigShutdowns = 0;
extern "C" void FcFini() {
    ++fontconfigShutdowns;
}

namespace {

struct Sample {
    const char* name;
    QByteArray bytes;
};

std::optional<QImage> loadFile(const FolderFixture& folder, const QString& name) {
    return PictureLoader::load(QFile::encodeName(folder.path(name)),
                               name.mid(name.lastIndexOf(QLatin1Char('.'))));
}

// The BMP stored top-down, as a negative height in its header says.
QByteArray topDown(QByteArray bmp) {
    qToLittleEndian<qint32>(-qFromLittleEndian<qint32>(bmp.constData() + 22), bmp.data() + 22);
    return bmp;
}

QByteArray redJpeg() {
    return encoded(solid(QSize(64, 32), Qt::red), "jpg");
}

// Collects what is written to stdout and stderr while it lives.
class OutputCapture {
  public:
    OutputCapture() : file_(std::tmpfile()) {
        std::fflush(nullptr);
        savedOut_ = ::dup(STDOUT_FILENO);
        savedErr_ = ::dup(STDERR_FILENO);
        ::dup2(::fileno(file_), STDOUT_FILENO);
        ::dup2(::fileno(file_), STDERR_FILENO);
    }
    ~OutputCapture() {
        restore();
        std::fclose(file_);
    }
    OutputCapture(const OutputCapture&) = delete;
    OutputCapture& operator=(const OutputCapture&) = delete;

    std::string text() {
        restore();
        std::string collected;
        std::rewind(file_);
        for (int c = std::fgetc(file_); c != EOF; c = std::fgetc(file_)) {
            collected += char(c);
        }
        return collected;
    }

  private:
    void restore() {
        if (savedOut_ < 0) {
            return;
        }
        std::fflush(nullptr);
        ::dup2(savedOut_, STDOUT_FILENO);
        ::dup2(savedErr_, STDERR_FILENO);
        ::close(savedOut_);
        ::close(savedErr_);
        savedOut_ = savedErr_ = -1;
    }

    std::FILE* file_;
    int savedOut_ = -1;
    int savedErr_ = -1;
};

TEST(PictureLoader, EachReadableFormatLoadsAtItsSize) {
    const struct {
        const char* name;
        QByteArray bytes;
        QSize size;
        QColor centre;
    } cases[] = {
        {"red.bmp", encoded(solid(QSize(40, 30), Qt::red), "bmp"), QSize(40, 30), Qt::red},
        {"top-down.bmp", topDown(encoded(solid(QSize(40, 30), Qt::red), "bmp")), QSize(40, 30),
         Qt::red},
        {"icon.ico", encoded(solid(QSize(32, 16), Qt::blue, QImage::Format_ARGB32), "ico"),
         QSize(32, 16), Qt::blue},
        {"photo.jpg", redJpeg(), QSize(64, 32), Qt::red},
        {"grey.JPEG",
         encoded(solid(QSize(20, 10), QColor(128, 128, 128), QImage::Format_Grayscale8), "jpg"),
         QSize(20, 10), QColor(128, 128, 128)},
        // Inverted ink, as Adobe writes it, with the Adobe marker.
        {"cmyk.jpg", committed("cmyk-adobe.jpg"), QSize(16, 8), Qt::red},
        // The frame is 200 x 100 units at 96 per inch; the pen adds half a unit on each side.
        {"frame.wmf", committed("frame.wmf"), QSize(201, 101), Qt::red},
        // The frame is 52.91 x 26.46 mm, 200 x 100 pixels at 96 per inch.
        {"frame.emf", committed("frame.emf"), QSize(200, 100), Qt::green},
    };
    FolderFixture folder;
    for (const auto& c : cases) {
        writeFile(folder.path(c.name), c.bytes);
        const std::optional<QImage> picture = loadFile(folder, c.name);
        ASSERT_TRUE(picture) << c.name;
        EXPECT_EQ(picture->size(), c.size) << c.name;
        const QColor centre = picture->pixelColor(picture->width() / 2, picture->height() / 2);
        EXPECT_TRUE(near(centre, c.centre)) << c.name << ": " << centre.name().toStdString();
    }
}

// Where the player's arcs start and end, and which way up a metafile's bitmap lies, show only in
// the drawing itself.
TEST(PictureLoader, MetafileShapesLandWhereTheRecordsPutThem) {
    const struct {
        QPoint at;
        QColor colour;
    } cases[] = {
        {{100, 70}, Qt::blue},                             // ellipse
        {{340, 50}, Qt::yellow},                           // the pie's wedge
        {{240, 90}, Qt::white},                            // the rest of the pie's box
        {{310, 210}, Qt::red},   {{370, 210}, Qt::green},  // the bitmap's top row
        {{310, 270}, Qt::blue},  {{370, 270}, Qt::yellow},
    };
    FolderFixture folder;
    writeFile(folder.path("scene.wmf"), committed("scene.wmf"));
    const std::optional<QImage> picture = loadFile(folder, "scene.wmf");
    ASSERT_TRUE(picture);
    ASSERT_EQ(picture->size(), QSize(401, 301));
    for (const auto& c : cases) {
        const QColor actual = picture->pixelColor(c.at);
        EXPECT_TRUE(near(actual, c.colour, 2))
            << c.at.x() << "," << c.at.y() << ": " << actual.name().toStdString();
    }
}

// Parts of an EMF that libemf2svg cannot read safely are left out, and the rest is drawn. (A
// description past the file is read there by libemf2svg: AddressSanitizer builds catch it.)
TEST(PictureLoader, WhatLibemf2svgCannotReadSafelyIsLeftOut) {
    QByteArray outsideDescription = committed("frame.emf");
    qToLittleEndian<quint32>(0x4000, outsideDescription.data() + 60);  // characters
    qToLittleEndian<quint32>(88, outsideDescription.data() + 64);      // offset
    const Sample cases[] = {
        {"glyph-index-text.emf", committed("glyph-index-text.emf")},
        {"description.emf", outsideDescription},
    };
    FolderFixture folder;
    for (const Sample& c : cases) {
        writeFile(folder.path(c.name), c.bytes);
        const std::optional<QImage> picture = loadFile(folder, c.name);
        ASSERT_TRUE(picture) << c.name;
        EXPECT_EQ(picture->size(), QSize(200, 100)) << c.name;
        EXPECT_TRUE(near(picture->pixelColor(150, 80), Qt::green)) << c.name;
    }
    EXPECT_EQ(fontconfigShutdowns, 0);
}

TEST(PictureLoader, TheExtensionAloneChoosesTheReader) {
    const QByteArray bmp = encoded(solid(QSize(8, 8), Qt::red), "bmp");
    const QByteArray wmf = committed("frame.wmf");
    const QByteArray emf = committed("frame.emf");
    // Pictures among the candidates, but without a reader; and content that does not match
    // its extension, which no reader may guess its way around.
    const Sample cases[] = {
        {"photo.jpe", redJpeg()}, {"photo.jfif", redJpeg()}, {"bitmap.dib", bmp},
        {"packed.emz", emf},      {"packed.wmz", wmf},       {"bitmap.jpg", bmp},
        {"photo.bmp", redJpeg()}, {"bitmap.ico", bmp},       {"vector.emf", wmf},
    };
    FolderFixture folder;
    for (const Sample& c : cases) {
        writeFile(folder.path(c.name), c.bytes);
        EXPECT_FALSE(loadFile(folder, c.name)) << c.name;
    }
    for (const char* extension : {".bmp", ".dib", ".jpg", ".jpeg", ".jpe", ".jfif", ".ico", ".emf",
                                  ".emz", ".wmf", ".wmz", ".JPG", ".Wmf"}) {
        EXPECT_TRUE(PictureLoader::isCandidate(QLatin1String(extension))) << extension;
    }
    for (const char* extension : {".png", ".gif", ".txt", ".jpgx", ".", ""}) {
        EXPECT_FALSE(PictureLoader::isCandidate(QLatin1String(extension))) << extension;
    }
}

TEST(PictureLoader, DamagedFilesFailQuietly) {
    const QByteArray jpeg = redJpeg();
    QByteArray badPrecision = jpeg;
    badPrecision[frameHeaderAt(jpeg) + 4] = 7;
    QByteArray hugeBmp = encoded(solid(QSize(8, 8), Qt::red), "bmp");
    qToLittleEndian<qint32>(100000, hugeBmp.data() + 18);
    qToLittleEndian<qint32>(100000, hugeBmp.data() + 22);
    const QByteArray emf = committed("frame.emf");
    QByteArray zeroLengthRecord = emf;
    qToLittleEndian<quint32>(0, zeroLengthRecord.data() + 108 + 4);
    // Records libUEMF has no check of their fields for: a colour profile, and no EMF record.
    QByteArray uncheckedRecord = emf;
    qToLittleEndian<quint32>(113, uncheckedRecord.data() + 108);
    QByteArray unknownRecord = emf;
    qToLittleEndian<quint32>(200, unknownRecord.data() + 108);
    // The player would set aside 32 MiB for a record, far longer than the file, before reading
    // any; the header may ask for up to 8 GiB.
    QByteArray longRecordWmf = committed("frame.wmf");
    qToLittleEndian<quint32>(quint32{1} << 24, longRecordWmf.data() + 22 + 12);
    QByteArray scrambledWmf = committed("frame.wmf");
    for (qsizetype i = 40; i < scrambledWmf.size(); ++i) {
        scrambledWmf[i] = char(i * 37);
    }
    const Sample cases[] = {
        {"precision.jpg", badPrecision},
        {"truncated.jpg", jpeg.left(jpeg.size() / 2)},
        {"empty.jpg", QByteArray()},
        // Would take 10 GB if the header were believed.
        {"huge.jpg", withClaimedSize(jpeg, 60000, 60000)},
        {"huge.bmp", hugeBmp},
        {"truncated.emf", emf.left(emf.size() - 30)},
        {"zero-record.emf", zeroLengthRecord},
        {"unchecked-record.emf", uncheckedRecord},
        {"unknown-record.emf", unknownRecord},
        {"scrambled.wmf", scrambledWmf},
        {"long-record.wmf", longRecordWmf},
        {"no-header.wmf", QByteArray(200, 'x')},
    };
    FolderFixture folder;
    for (const Sample& c : cases) {
        writeFile(folder.path(c.name), c.bytes);
    }
    folder.makeFolder("folder.jpg");
    OutputCapture output;
    for (const Sample& c : cases) {
        EXPECT_FALSE(loadFile(folder, c.name)) << c.name;
    }
    EXPECT_FALSE(loadFile(folder, "folder.jpg"));
    EXPECT_FALSE(loadFile(folder, "missing.jpg"));
    EXPECT_EQ(output.text(), "");
}

// The fuzz target's corpus, and every input it once crashed on: each is drawn or refused, and a
// drawn picture keeps within the pixel bound. Reading them from files, as the dialog does, gives
// what decoding the bytes gives.
TEST(PictureLoader, FuzzInputsLoadOrFailSafely) {
    int inputs = 0;
    FolderFixture folder;
    for (const auto& [path, bytes] :
         test_support::KeptFuzzInputs({KALVIO_PICTURE_CORPUS, KALVIO_PICTURE_REGRESSIONS})) {
        const QByteArray input = QByteArray::fromStdString(bytes);
        const QString extension = PictureInput::extension(input);
        const std::optional<QImage> decoded =
            PictureLoader::decode(PictureInput::file(input), extension);
        if (decoded) {
            EXPECT_LE(qint64(decoded->width()) * decoded->height(), PictureLoader::MaxPixels);
        }
        const QString name = QStringLiteral("input%1").arg(inputs) + extension;
        writeFile(folder.path(name), PictureInput::file(input));
        EXPECT_EQ(loadFile(folder, name).has_value(), decoded.has_value()) << path;
        ++inputs;
    }
    EXPECT_GT(inputs, 0) << "no inputs in " << KALVIO_PICTURE_CORPUS;
}

// A metafile's drawing stops at the limit, as a WMF's playing does: at the deadline, or when
// the picture is no longer wanted.
TEST(PictureLoader, MetafilesStopAtTheirLimit) {
    std::atomic<bool> cancelled{true};
    for (const char* name : {"frame.emf", "frame.wmf"}) {
        const QString extension = QLatin1String(name).mid(5);
        const QByteArray bytes = committed(QLatin1String(name));
        EXPECT_TRUE(PictureLoader::decode(bytes, extension)) << name;
        EXPECT_FALSE(PictureLoader::decode(bytes, extension, RenderLimit(nullptr, 0))) << name;
        EXPECT_FALSE(PictureLoader::decode(bytes, extension, RenderLimit(&cancelled))) << name;
    }
}

// The thumbnail is fitted into its box and never larger than the picture; the whole picture
// comes only when asked for, or when it is the thumbnail.
TEST(PictureLoader, PreviewHoldsTheThumbnailAndTheWholePictureOnlyWhenAsked) {
    FolderFixture folder;
    writeFile(folder.path("wide.jpg"), encoded(solid(QSize(640, 320), Qt::red), "jpg"));
    writeFile(folder.path("wide.bmp"), encoded(solid(QSize(640, 320), Qt::red), "bmp"));
    writeFile(folder.path("tiny.jpg"), encoded(solid(QSize(20, 10), Qt::red), "jpg"));
    const struct {
        const char* name;
        bool withFull;
        QSize thumbnail;
        QSize full;
    } cases[] = {
        {"wide.jpg", false, {44, 22}, {0, 0}},
        {"wide.jpg", true, {44, 22}, {640, 320}},
        {"wide.bmp", false, {44, 22}, {0, 0}},
        {"tiny.jpg", false, {20, 10}, {20, 10}},
    };
    for (const auto& c : cases) {
        const QString name = QLatin1String(c.name);
        const std::optional<PreviewPicture> preview = PictureLoader::loadPreview(
            QFile::encodeName(folder.path(name)), name.mid(name.indexOf(QLatin1Char('.'))),
            QSize(102, 22), c.withFull);
        ASSERT_TRUE(preview) << c.name;
        EXPECT_EQ(preview->size, QSize(c.name[0] == 't' ? 20 : 640, c.name[0] == 't' ? 10 : 320));
        EXPECT_EQ(preview->thumbnail.size(), c.thumbnail) << c.name;
        EXPECT_EQ(preview->full.size(), c.full) << c.name;
        EXPECT_TRUE(
            near(preview->thumbnail.pixelColor(preview->thumbnail.rect().center()), Qt::red))
            << c.name;
    }
}

TEST(PictureLoader, PipeNamedLikeAPictureIsNotWaitedFor) {
    FolderFixture folder;
    const QByteArray pipe = QFile::encodeName(folder.path("x.jpg"));
    ASSERT_EQ(mkfifo(pipe.constData(), 0644), 0);
    auto loading = std::async(std::launch::async,
                              [&pipe] { return PictureLoader::load(pipe, ".jpg").has_value(); });
    const bool finished = loading.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    if (!finished) {
        // A writer lets a blocked open return, so that the test can end and report.
        const int writer = ::open(pipe.constData(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0) {
            ::close(writer);
        }
    }
    EXPECT_TRUE(finished) << "the loader waited for a writer on a FIFO";
    EXPECT_FALSE(loading.get());
}

}  // namespace
