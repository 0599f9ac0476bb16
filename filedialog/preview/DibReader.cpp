#include "DibReader.h"

#include <QByteArray>
#include <QtEndian>

#include "BoundedImageReader.h"

namespace {

constexpr qsizetype FileHeaderBytes = 14;
constexpr quint32 CoreHeaderBytes = 12;
constexpr quint32 InfoHeaderBytes = 40;
constexpr quint32 BitFields = 3;
constexpr quint32 AlphaBitFields = 6;

}  // namespace

std::optional<QImage> DibReader::read(const unsigned char* dib, long length, qint64 maxPixels) {
    if (dib == nullptr || length < long{CoreHeaderBytes} || length > MaxBytes) {
        return std::nullopt;
    }
    const std::optional<quint32> offset = pixelOffset(dib, length);
    if (!offset) {
        return std::nullopt;
    }
    // Qt reads BMP files: the file header in front says where the pixels start.
    QByteArray file(FileHeaderBytes, '\0');
    file[0] = 'B';
    file[1] = 'M';
    qToLittleEndian<quint32>(quint32(FileHeaderBytes + length), file.data() + 2);
    qToLittleEndian<quint32>(quint32(FileHeaderBytes + *offset), file.data() + 10);
    file.append(reinterpret_cast<const char*>(dib), qsizetype(length));
    return BoundedImageReader::read(file, "bmp", maxPixels);
}

// Behind the header come the colour masks (for bit fields in a plain info header) and the
// colour table: three bytes an entry after a core header, four after the others.
std::optional<quint32> DibReader::pixelOffset(const unsigned char* dib, long length) {
    const quint32 headerBytes = qFromLittleEndian<quint32>(dib);
    quint64 entries = 0;
    quint64 entryBytes = 4;
    quint64 maskBytes = 0;
    if (headerBytes == CoreHeaderBytes) {
        const quint16 bitCount = qFromLittleEndian<quint16>(dib + 10);
        entries = bitCount <= 8 ? quint64{1} << bitCount : 0;
        entryBytes = 3;
    } else if (headerBytes >= InfoHeaderBytes && length >= long{InfoHeaderBytes}) {
        const quint16 bitCount = qFromLittleEndian<quint16>(dib + 14);
        const quint32 compression = qFromLittleEndian<quint32>(dib + 16);
        const quint32 used = qFromLittleEndian<quint32>(dib + 32);
        entries = used != 0 ? used : (bitCount <= 8 ? quint64{1} << bitCount : 0);
        if (headerBytes == InfoHeaderBytes && compression == BitFields) {
            maskBytes = 12;
        } else if (headerBytes == InfoHeaderBytes && compression == AlphaBitFields) {
            maskBytes = 16;
        }
    } else {
        return std::nullopt;
    }
    const quint64 offset = headerBytes + maskBytes + entries * entryBytes;
    if (offset > quint64(length)) {
        return std::nullopt;
    }
    return quint32(offset);
}
