#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "JpegDecoder.h"
#include "PictureSamples.h"

using namespace picture_samples;

namespace {

std::optional<DecodedPicture> decode(const QByteArray& bytes,
                                     std::uint64_t maxPixels = JpegDecoder::MaxPixels) {
    return JpegDecoder::decode(reinterpret_cast<const unsigned char*>(bytes.constData()),
                               std::size_t(bytes.size()), maxPixels);
}

// Complete pictures, so that only a bound can refuse them.
TEST(JpegDecoder, BoundsHoldExactly) {
    const struct {
        QSize size;
        std::uint64_t maxPixels;
        bool decodes;
    } cases[] = {
        {{32768, 8}, JpegDecoder::MaxPixels, true},
        {{32769, 8}, JpegDecoder::MaxPixels, false},
        {{8, 32769}, JpegDecoder::MaxPixels, false},
        {{64, 64}, 64 * 64, true},
        {{64, 64}, 64 * 64 - 1, false},
    };
    for (const auto& c : cases) {
        const QByteArray bytes = encoded(solid(c.size, Qt::darkCyan), "jpg");
        const std::optional<DecodedPicture> picture = decode(bytes, c.maxPixels);
        ASSERT_EQ(picture.has_value(), c.decodes) << c.size.width() << "x" << c.size.height();
        if (picture) {
            EXPECT_EQ(QSize(picture->width, picture->height), c.size);
            EXPECT_EQ(picture->rgb.size(), std::size_t(c.size.width()) * c.size.height() * 3);
        }
    }
}

// The fuzz target's seeds and minimised corpus, and every input it once crashed on: each is
// decoded or refused, and a decoded picture fills exactly its rows.
TEST(JpegDecoder, FuzzInputsDecodeOrFailSafely) {
    int inputs = 0;
    for (const char* folder : {KALVIO_JPEG_CORPUS, KALVIO_JPEG_REGRESSIONS}) {
        for (const QFileInfo& entry : QDir(QLatin1String(folder)).entryInfoList(QDir::Files)) {
            if (entry.fileName() == QLatin1String("README.md")) {
                continue;
            }
            QFile file(entry.filePath());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << entry.filePath().toStdString();
            const std::optional<DecodedPicture> picture = decode(file.readAll());
            if (picture) {
                EXPECT_EQ(picture->rgb.size(), std::size_t(picture->width) * picture->height * 3);
            }
            ++inputs;
        }
    }
    EXPECT_GT(inputs, 0) << "no inputs in " << KALVIO_JPEG_CORPUS;
}

}  // namespace
