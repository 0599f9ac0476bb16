#include "PictureSamples.h"

#include <QBuffer>
#include <QFile>
#include <QtEndian>
#include <stdexcept>

namespace picture_samples {

QImage solid(const QSize& size, const QColor& colour, QImage::Format format) {
    QImage image(size, format);
    image.fill(colour);
    return image;
}

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, format)) {
        throw std::runtime_error(std::string("cannot write a sample picture as ") + format);
    }
    return bytes;
}

QByteArray committed(const QString& name) {
    QFile file(QStringLiteral(KALVIO_TEST_PICTURES "/") + name);
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("missing sample picture " + name.toStdString());
    }
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

qsizetype frameHeaderAt(const QByteArray& jpeg) {
    return jpeg.indexOf(QByteArray("\xFF\xC0", 2));
}

QByteArray withClaimedSize(QByteArray jpeg, int width, int height) {
    const qsizetype frame = frameHeaderAt(jpeg);
    if (frame < 0) {
        throw std::runtime_error("sample JPEG has no baseline frame header");
    }
    // Marker (2), length (2), precision (1), then height and width, big-endian.
    qToBigEndian<quint16>(quint16(height), jpeg.data() + frame + 5);
    qToBigEndian<quint16>(quint16(width), jpeg.data() + frame + 7);
    return jpeg;
}

bool near(const QColor& actual, const QColor& expected, int tolerance) {
    return qAbs(actual.red() - expected.red()) <= tolerance &&
           qAbs(actual.green() - expected.green()) <= tolerance &&
           qAbs(actual.blue() - expected.blue()) <= tolerance;
}

}  // namespace picture_samples
