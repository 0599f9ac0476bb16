#include "EmfRenderer.h"

#include <emf2svg.h>

#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>
#include <cstdlib>
#include <memory>

#include "MetafileCanvas.h"

namespace {

constexpr quint32 HeaderRecord = 1;
constexpr quint32 EndRecord = 14;
constexpr quint32 Signature = 0x464D4520;  // " EMF"
constexpr qsizetype HeaderBytes = 88;
constexpr qsizetype RecordHeadBytes = 8;
constexpr double HundredthsOfMmPerInch = 2540.0;

struct Header {
    qsizetype length = 0;  // bytes of the metafile, header included
    qsizetype headerLength = 0;
    QSizeF frame;  // in pixels at screen resolution
};

quint32 word(const QByteArray& bytes, qsizetype offset) {
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

qint32 signedWord(const QByteArray& bytes, qsizetype offset) {
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

std::optional<Header> readHeader(const QByteArray& bytes) {
    if (bytes.size() < HeaderBytes || word(bytes, 0) != HeaderRecord ||
        word(bytes, 40) != Signature) {
        return std::nullopt;
    }
    Header header;
    header.headerLength = word(bytes, 4);
    header.length = word(bytes, 48);
    if (header.headerLength < HeaderBytes || header.headerLength % 4 != 0 ||
        header.length < header.headerLength || header.length > bytes.size()) {
        return std::nullopt;
    }
    // The frame is the picture's own rectangle in hundredths of a millimetre.
    const double width = double(signedWord(bytes, 32)) - signedWord(bytes, 24);
    const double height = double(signedWord(bytes, 36)) - signedWord(bytes, 28);
    const double scale = MetafileCanvas::ScreenDpi / HundredthsOfMmPerInch;
    header.frame = QSizeF(width * scale, height * scale);
    return header;
}

// Every record lies inside the file, is at least a record head long and a multiple of four,
// and the last one read is the end record.
bool recordsWellFormed(const QByteArray& bytes, const Header& header) {
    qsizetype position = header.headerLength;
    while (position + RecordHeadBytes <= header.length) {
        const quint32 type = word(bytes, position);
        const quint32 length = word(bytes, position + 4);
        if (length < RecordHeadBytes || length % 4 != 0 || length > header.length - position) {
            return false;
        }
        if (type == EndRecord) {
            return true;
        }
        position += length;
    }
    return false;
}

std::optional<QByteArray> convertToSvg(const QByteArray& bytes, const Header& header,
                                       const QSize& size) {
    // libemf2svg takes its input as writable; it gets a copy of its own.
    QByteArray input(bytes.constData(), header.length);
    char nameSpace[] = "svg";
    generatorOptions options{};
    options.nameSpace = nameSpace;
    options.verbose = false;
    options.emfplus = false;
    options.svgDelimiter = true;
    options.imgWidth = size.width();
    options.imgHeight = size.height();
    char* svg = nullptr;
    size_t svgLength = 0;
    const int converted =
        emf2svg(input.data(), std::size_t(input.size()), &svg, &svgLength, &options);
    const std::unique_ptr<char, decltype(&std::free)> owner(svg, &std::free);
    if (converted == 0 || svg == nullptr || svgLength == 0) {
        return std::nullopt;
    }
    return QByteArray(svg, qsizetype(svgLength));
}

}  // namespace

std::optional<QImage> EmfRenderer::render(const QByteArray& bytes) {
    if (bytes.size() > MaxFileBytes) {
        return std::nullopt;
    }
    const std::optional<Header> header = readHeader(bytes);
    if (!header || !recordsWellFormed(bytes, *header)) {
        return std::nullopt;
    }
    const std::optional<QSize> size = MetafileCanvas::sizeFor(header->frame);
    if (!size) {
        return std::nullopt;
    }
    const std::optional<QByteArray> svg = convertToSvg(bytes, *header, *size);
    if (!svg) {
        return std::nullopt;
    }
    QSvgRenderer renderer(*svg);
    QImage canvas = MetafileCanvas::blank(*size);
    if (!renderer.isValid() || canvas.isNull()) {
        return std::nullopt;
    }
    QPainter painter(&canvas);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(*size)));
    painter.end();
    return canvas;
}
