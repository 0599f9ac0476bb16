#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>

#include "JpegDecoder.h"
#include "KeptFuzzInputs.h"
#include "PictureSamples.h"

using namespace picture_samples;

namespace {

std::optional<DecodedPicture> decode(const QByteArray& bytes,
                                     std::uint64_t maxPixels = JpegDecoder::MaxPixels,
                                     const JpegDecodeOptions& options = {}) {
    return JpegDecoder::decode(reinterpret_cast<const unsigned char*>(bytes.constData()),
                               std::size_t(bytes.size()), maxPixels, options);
}

// The bytes handed out in pieces of at most `piece`, as a file read in parts would be; a read
// error from errorAt on.
JpegDecoder::ReadMore piecesOf(const QByteArray& bytes, std::size_t piece, qsizetype errorAt = -1) {
    auto position = std::make_shared<qsizetype>(0);
    return [bytes, piece, errorAt, position](unsigned char* buffer, std::size_t capacity) {
        if (errorAt >= 0 && *position >= errorAt) {
            return -1LL;
        }
        const qsizetype count = qMin(qsizetype(qMin(capacity, piece)), bytes.size() - *position);
        std::memcpy(buffer, bytes.constData() + *position, std::size_t(count));
        *position += count;
        return static_cast<long long>(count);
    };
}

std::optional<DecodedPicture> decodeInPieces(const QByteArray& bytes, std::size_t piece,
                                             const JpegDecodeOptions& options = {},
                                             qsizetype errorAt = -1) {
    return JpegDecoder::decode(piecesOf(bytes, piece, errorAt), std::uint64_t(bytes.size()),
                               JpegDecoder::MaxPixels, options);
}

QImage imageOf(const DecodedPicture& picture) {
    return QImage(picture.rgb.data(), picture.width, picture.height, picture.width * 3,
                  QImage::Format_RGB888)
        .copy();
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

// A thumbnail's decode takes the smallest scale that still covers the picture fitted into the
// box, and shows what the whole picture scaled down shows.
TEST(JpegDecoder, ThumbnailDecodesAtTheSmallestScaleThatCoversTheBox) {
    QImage quarters(800, 600, QImage::Format_RGB32);
    quarters.fill(Qt::red);
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            if (x >= 400 || y >= 300) {
                quarters.setPixelColor(x, y, x >= 400 && y >= 300 ? Qt::blue : Qt::green);
            }
        }
    }
    const QByteArray bytes = encoded(quarters, "jpg");
    const std::optional<DecodedPicture> whole = decode(bytes);
    ASSERT_TRUE(whole);
    const struct {
        QSize box;
        QSize decoded;
    } cases[] = {
        {{102, 22}, {100, 75}},    // fitted 29 x 22: an eighth
        {{150, 100}, {200, 150}},  // fitted 133 x 100: a quarter
        {{300, 200}, {400, 300}},  // fitted 267 x 200: a half
        {{500, 500}, {800, 600}},  // fitted 500 x 375: only the whole covers it
        {{0, 0}, {800, 600}},
    };
    for (const auto& c : cases) {
        JpegDecodeOptions options;
        options.boxWidth = c.box.width();
        options.boxHeight = c.box.height();
        const std::optional<DecodedPicture> scaled = decode(bytes, JpegDecoder::MaxPixels, options);
        ASSERT_TRUE(scaled) << c.box.width();
        EXPECT_EQ(QSize(scaled->width, scaled->height), c.decoded) << c.box.width();
        EXPECT_EQ(QSize(scaled->sourceWidth, scaled->sourceHeight), QSize(800, 600));
        const QImage reference =
            imageOf(*whole).scaled(c.decoded, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage image = imageOf(*scaled);
        for (const QPointF at : {QPointF(0.25, 0.25), QPointF(0.75, 0.25), QPointF(0.75, 0.75)}) {
            const QPoint pixel(int(at.x() * c.decoded.width()), int(at.y() * c.decoded.height()));
            EXPECT_TRUE(near(image.pixelColor(pixel), reference.pixelColor(pixel)))
                << c.box.width() << " at " << pixel.x() << "," << pixel.y();
        }
    }
}

TEST(JpegDecoder, ACancelledDecodeGivesNothing) {
    std::atomic<bool> cancelled{true};
    JpegDecodeOptions options;
    options.cancelled = &cancelled;
    EXPECT_FALSE(decode(encoded(solid({64, 64}, Qt::red), "jpg"), JpegDecoder::MaxPixels, options));
}

// The fuzz target's seeds and minimised corpus, and every input it once crashed on: each is
// decoded or refused, and a decoded picture fills exactly its rows.
TEST(JpegDecoder, FuzzInputsDecodeOrFailSafely) {
    int inputs = 0;
    for (const auto& [path, bytes] :
         test_support::KeptFuzzInputs({KALVIO_JPEG_CORPUS, KALVIO_JPEG_REGRESSIONS})) {
        const std::optional<DecodedPicture> picture = decode(QByteArray::fromStdString(bytes));
        if (picture) {
            EXPECT_EQ(picture->rgb.size(), std::size_t(picture->width) * picture->height * 3)
                << path;
        }
        ++inputs;
    }
    EXPECT_GT(inputs, 0) << "no inputs in " << KALVIO_JPEG_CORPUS;
}

// Read piece by piece, every input gives what it gives when held whole, thumbnail or not, also
// when the pieces are smaller than a marker.
TEST(JpegDecoder, ReadInPiecesDecodesAsHeldWhole) {
    JpegDecodeOptions thumbnail;
    thumbnail.boxWidth = 102;
    thumbnail.boxHeight = 22;
    int inputs = 0;
    for (const auto& [path, input] :
         test_support::KeptFuzzInputs({KALVIO_JPEG_CORPUS, KALVIO_JPEG_REGRESSIONS})) {
        const QByteArray bytes = QByteArray::fromStdString(input);
        for (const JpegDecodeOptions& options : {JpegDecodeOptions{}, thumbnail}) {
            const auto whole = decode(bytes, JpegDecoder::MaxPixels, options);
            for (const std::size_t piece : {std::size_t(3), std::size_t(4096)}) {
                const auto pieces = decodeInPieces(bytes, piece, options);
                ASSERT_EQ(bool(pieces), bool(whole)) << path;
                if (whole) {
                    EXPECT_EQ(pieces->rgb, whole->rgb) << path;
                }
            }
        }
        ++inputs;
    }
    EXPECT_GT(inputs, 0);
}

// A read that fails, a file that ends early and a file longer than it may be read give nothing.
TEST(JpegDecoder, ReadInPiecesFailsSafely) {
    const QByteArray bytes = encoded(solid({64, 64}, Qt::red), "jpg");
    ASSERT_TRUE(decodeInPieces(bytes, 100));
    EXPECT_FALSE(decodeInPieces(bytes, 100, {}, bytes.size() / 2)) << "read error";
    EXPECT_FALSE(decodeInPieces(bytes.left(bytes.size() / 2), 100)) << "ends early";
    EXPECT_FALSE(JpegDecoder::decode(piecesOf(bytes, 100), std::uint64_t(bytes.size() / 2)))
        << "more than may be read";
}

}  // namespace
