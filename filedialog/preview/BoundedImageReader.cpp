#include "BoundedImageReader.h"

#include <QBuffer>
#include <QImageReader>
#include <limits>

namespace {

constexpr qint64 BytesPerPixel = 4;

bool fits(const QSize& size, qint64 maxPixels) {
    return size.isValid() && !size.isEmpty() && qint64{size.width()} * size.height() <= maxPixels;
}

// Qt's BMP reader gives a top-down picture's height as its header holds it: negative.
QSize announcedSize(const QImageReader& reader) {
    const QSize size = reader.size();
    if (size.height() < 0 && size.height() > std::numeric_limits<int>::min()) {
        return QSize(size.width(), -size.height());
    }
    return size;
}

}  // namespace

std::optional<QImage> BoundedImageReader::read(const QByteArray& bytes, const char* format,
                                               qint64 maxPixels) {
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QImageReader reader(&buffer, format);
    // Only the named format: a .bmp holding some other format does not load.
    reader.setAutoDetectImageFormat(false);
    // The header's size is checked first; the allocation limit also holds for pictures whose
    // size only shows while they are decoded.
    reader.setAllocationLimit(int((maxPixels * BytesPerPixel) >> 20) + 1);
    if (!fits(announcedSize(reader), maxPixels)) {
        return std::nullopt;
    }
    QImage image;
    if (!reader.read(&image) || !fits(image.size(), maxPixels)) {
        return std::nullopt;
    }
    return image;
}
