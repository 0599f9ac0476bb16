#include "BenchPictures.h"

#include <QBuffer>
#include <QImage>
#include <QtEndian>
#include <stdexcept>

namespace bench_pictures {

namespace {

constexpr int FrameWidth = 2000;
constexpr int FrameHeight = 1500;
constexpr double HundredthsOfMmPerPixel = 2540.0 / 96.0;

// Enhanced metafile record types.
constexpr quint32 HeaderRecord = 1;
constexpr quint32 EndRecord = 14;
constexpr quint32 SelectObject = 37;
constexpr quint32 CreateBrushIndirect = 39;
constexpr quint32 DeleteObject = 40;
constexpr quint32 Ellipse = 42;

class RecordWriter {
  public:
    void words(std::initializer_list<quint32> values) {
        for (const quint32 value : values) {
            char bytes[4];
            qToLittleEndian(value, bytes);
            data.append(bytes, 4);
        }
    }
    void record(quint32 type, std::initializer_list<quint32> fields) {
        words({type, quint32(8 + 4 * fields.size())});
        words(fields);
        ++records;
    }

    QByteArray data;
    quint32 records = 0;
};

void writeHeader(RecordWriter& out) {
    const auto frameWidth = quint32(FrameWidth * HundredthsOfMmPerPixel);
    const auto frameHeight = quint32(FrameHeight * HundredthsOfMmPerPixel);
    // Bounds, frame, signature, version, then length and record count, filled in at the end.
    out.record(HeaderRecord, {0,
                              0,
                              FrameWidth - 1,
                              FrameHeight - 1,
                              0,
                              0,
                              frameWidth,
                              frameHeight,
                              0x464D4520,
                              0x10000,
                              0,
                              0,
                              2,
                              0,
                              0,
                              0,
                              0,
                              1920,
                              1080,
                              508,
                              286,
                              0,
                              0,
                              0,
                              508000,
                              286000});
}

}  // namespace

QByteArray photo(const QSize& size) {
    QImage image(size, QImage::Format_RGB888);
    for (int y = 0; y < size.height(); ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < size.width(); ++x) {
            const int detail = ((x * 7) ^ (y * 13)) & 31;
            row[3 * x] = uchar((x * 255 / size.width() + detail) & 0xFF);
            row[3 * x + 1] = uchar((y * 255 / size.height() + detail) & 0xFF);
            row[3 * x + 2] = uchar(((x + y) / 16 + detail) & 0xFF);
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "jpg", 90)) {
        throw std::runtime_error("cannot write the benchmark's JPEG");
    }
    return bytes;
}

QByteArray busyMetafile(qsizetype approximateBytes) {
    RecordWriter out;
    writeHeader(out);
    constexpr qsizetype BytesPerShape = 24 + 12 + 24 + 12;
    for (qsizetype shape = 0; shape < approximateBytes / BytesPerShape; ++shape) {
        const auto x = quint32((shape * 37) % (FrameWidth - 40));
        const auto y = quint32((shape * 53 / 7) % (FrameHeight - 30));
        const auto colour = quint32((shape * 2654435761u) & 0xFFFFFF);
        out.record(CreateBrushIndirect, {1, 0, colour, 0});
        out.record(SelectObject, {1});
        out.record(Ellipse, {x, y, x + 40, y + 30});
        out.record(DeleteObject, {1});
    }
    out.record(EndRecord, {0, 16, 20});
    qToLittleEndian(quint32(out.data.size()), out.data.data() + 48);
    qToLittleEndian(out.records, out.data.data() + 52);
    return out.data;
}

}  // namespace bench_pictures
