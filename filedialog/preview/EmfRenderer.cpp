#include "EmfRenderer.h"

#include <emf2svg.h>
#include <uemf.h>
#include <uemf_safe.h>

#include <QBuffer>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>

#include "LimitedPaintDevice.h"
#include "MetafileCanvas.h"

namespace {

constexpr quint32 HeaderRecord = 1;
constexpr quint32 EndRecord = 14;
constexpr quint32 Signature = 0x464D4520;  // " EMF"
constexpr qsizetype HeaderBytes = 88;
constexpr qsizetype DescriptionLengthAt = 60;
constexpr qsizetype RecordHeadBytes = 8;
// Text records: libUEMF has checked that they are long enough for these fields.
constexpr quint32 TextOutA = 83;
constexpr quint32 TextOutW = 84;
constexpr qsizetype TextLengthAt = 44;
constexpr qsizetype TextOptionsAt = 52;
constexpr quint32 GlyphIndexOption = 0x10;
constexpr double HundredthsOfMmPerInch = 2540.0;

struct Header {
    qsizetype length = 0;  // bytes of the metafile, header included
    qsizetype headerLength = 0;
    QSizeF frame;  // in pixels at screen resolution
};

// Little-endian words read through at(), which never stands in a shared empty buffer for the
// bytes (the compiler's bounds check sees that); callers have checked the offset.
quint32 word(const QByteArray& bytes, qsizetype offset) {
    quint32 value = 0;
    for (qsizetype i = 3; i >= 0; --i) {
        value = (value << 8) | quint8(bytes.at(offset + i));
    }
    return value;
}

qint32 signedWord(const QByteArray& bytes, qsizetype offset) {
    return qint32(word(bytes, offset));
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

// Calls visit(position, type) for each record from the header to the end record. False as soon
// as a record leaves the file, is shorter than a record head or not a multiple of four, or visit
// refuses it; false too when the end record is missing.
template <typename Visit>
bool walkRecords(const QByteArray& bytes, const Header& header, Visit visit) {
    qsizetype position = 0;
    while (position + RecordHeadBytes <= header.length) {
        const quint32 type = word(bytes, position);
        const quint32 length = word(bytes, position + 4);
        if (length < RecordHeadBytes || length % 4 != 0 || length > header.length - position ||
            !visit(position, type)) {
            return false;
        }
        if (type == EndRecord) {
            return true;
        }
        position += length;
    }
    return false;
}

// Record types that libUEMF has no check for: it checks only their length, and says so on
// stderr. They are rare: escapes, colour profiles, OpenGL records, and text records out of use
// since Windows NT.
bool libuemfChecks(quint32 type) {
    static const std::array<quint32, 17> Unchecked = {
        U_EMR_UNDEF69,
        U_EMR_POLYTEXTOUTA,
        U_EMR_POLYTEXTOUTW,
        U_EMR_GLSRECORD,
        U_EMR_GLSBOUNDEDRECORD,
        U_EMR_DRAWESCAPE,
        U_EMR_EXTESCAPE,
        U_EMR_UNDEF107,
        U_EMR_FORCEUFIMAPPING,
        U_EMR_NAMEDESCAPE,
        U_EMR_COLORCORRECTPALETTE,
        U_EMR_SETICMPROFILEA,
        U_EMR_SETICMPROFILEW,
        U_EMR_UNDEF117,
        U_EMR_SETLINKEDUFIS,
        U_EMR_SETTEXTJUSTIFICATION,
        U_EMR_COLORMATCHTOTARGETW,
    };
    return type >= U_EMR_MIN && type <= U_EMR_MAX &&
           std::find(Unchecked.begin(), Unchecked.end(), type) == Unchecked.end();
}

// Beyond the walk, every record passes libUEMF's check of its own fields (counts and offsets
// inside the record); libemf2svg checks none of this itself. A record libUEMF cannot check
// refuses the file.
bool recordsWellFormed(const QByteArray& bytes, const Header& header) {
    return walkRecords(bytes, header, [&bytes](qsizetype position, quint32 type) {
        return libuemfChecks(type) && U_emf_record_safe(bytes.constData() + position) != 0;
    });
}

void putWord(QByteArray& bytes, qsizetype offset, quint32 value) {
    for (qsizetype i = 0; i < 4; ++i, value >>= 8) {
        bytes[offset + i] = char(value & 0xFF);
    }
}

// libemf2svg reads the header's description wherever its offset points, inside the file or not;
// a preview has no use for it.
void forgetDescription(QByteArray& metafile) {
    putWord(metafile, DescriptionLengthAt, 0);
    putWord(metafile, DescriptionLengthAt + 4, 0);
}

// For text given as glyph indices libemf2svg asks fontconfig for the font and then shuts
// fontconfig down for the whole process (FcFini), under the feet of Qt's fonts: the program
// aborts or reads freed memory. Such text is left out of the preview.
void forgetGlyphIndexText(QByteArray& metafile, const Header& header) {
    walkRecords(metafile, header, [&metafile](qsizetype position, quint32 type) {
        if (type != TextOutA && type != TextOutW) {
            return true;
        }
        const quint32 options = word(metafile, position + TextOptionsAt);
        if ((options & GlyphIndexOption) != 0) {
            putWord(metafile, position + TextOptionsAt, options & ~GlyphIndexOption);
            putWord(metafile, position + TextLengthAt, 0);
        }
        return true;
    });
}

std::optional<QByteArray> convertToSvg(const QByteArray& bytes, const Header& header,
                                       const QSize& size) {
    // libemf2svg takes its input as writable; it gets a copy of its own, without what it cannot
    // read safely.
    QByteArray input(bytes.constData(), header.length);
    forgetDescription(input);
    forgetGlyphIndexText(input, header);
    // No name space prefix: plain element names, and libemf2svg then allocates no prefix that it
    // would not free.
    char nameSpace[] = "";
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

// The SVG as Qt SVG reads it, piece by piece. Past the limit the rest of the text is bytes that
// XML allows nowhere, so that the reader fails at once: an input that merely ended early would
// have it wait for more, for ever.
class LimitedBuffer : public QBuffer {
  public:
    LimitedBuffer(const QByteArray& bytes, const RenderLimit& limit) : limit_(limit) {
        setData(bytes);
    }

  protected:
    qint64 readData(char* data, qint64 maxLength) override {
        if (!limit_.reached()) {
            return QBuffer::readData(data, maxLength);
        }
        std::fill_n(data, maxLength, NotAnXmlCharacter);
        return maxLength;
    }

  private:
    static constexpr char NotAnXmlCharacter = '\x01';
    const RenderLimit& limit_;
};

bool draw(const QByteArray& svg, QImage& canvas, const RenderLimit& limit) {
    LimitedBuffer input(svg, limit);
    if (!input.open(QIODevice::ReadOnly)) {
        return false;
    }
    QXmlStreamReader reader(&input);
    QSvgRenderer renderer(&reader);
    if (!renderer.isValid() || limit.reached()) {
        return false;
    }
    LimitedPaintDevice device(canvas, limit);
    QPainter painter(&device);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(canvas.size())));
    painter.end();
    return !device.reached();
}

}  // namespace

std::optional<QImage> EmfRenderer::render(const QByteArray& bytes, const RenderLimit& limit) {
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
    if (!svg || limit.reached()) {
        return std::nullopt;
    }
    QImage canvas = MetafileCanvas::blank(*size);
    if (canvas.isNull() || !draw(*svg, canvas, limit)) {
        return std::nullopt;
    }
    return canvas;
}
