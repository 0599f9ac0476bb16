#include "PictureLoader.h"

#include <QFile>
#include <QLatin1String>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "BoundedImageReader.h"
#include "EmfRenderer.h"
#include "JpegDecoder.h"
#include "RegularFile.h"
#include "WmfRenderer.h"

namespace {

const std::array<QLatin1String, 11> CandidateExtensions = {
    QLatin1String(".bmp"), QLatin1String(".dib"),  QLatin1String(".jpg"), QLatin1String(".jpeg"),
    QLatin1String(".jpe"), QLatin1String(".jfif"), QLatin1String(".ico"), QLatin1String(".emf"),
    QLatin1String(".emz"), QLatin1String(".wmf"),  QLatin1String(".wmz"),
};

struct Reader {
    QLatin1String extension;
    PictureLoader::Decoder decode;
};

}  // namespace

bool PictureLoader::isCandidate(const QString& extension) {
    const QString lower = extension.toLower();
    return std::any_of(CandidateExtensions.begin(), CandidateExtensions.end(),
                       [&lower](QLatin1String candidate) { return lower == candidate; });
}

std::optional<QImage> PictureLoader::load(const QByteArray& nativePath, const QString& extension) {
    if (decoderFor(extension) == nullptr) {
        return std::nullopt;
    }
    const std::optional<QByteArray> bytes = readRegularFile(nativePath);
    if (!bytes) {
        return std::nullopt;
    }
    return decode(*bytes, extension);
}

std::optional<QImage> PictureLoader::decode(const QByteArray& bytes, const QString& extension) {
    const Decoder decoder = decoderFor(extension);
    if (decoder == nullptr) {
        return std::nullopt;
    }
    std::optional<QImage> picture = decoder(bytes);
    if (!picture || picture->isNull()) {
        return std::nullopt;
    }
    return picture;
}

PictureLoader::Decoder PictureLoader::decoderFor(const QString& extension) {
    const std::array<Reader, 6> readers = {{
        {QLatin1String(".bmp"), &PictureLoader::decodeBmp},
        {QLatin1String(".ico"), &PictureLoader::decodeIco},
        {QLatin1String(".jpg"), &PictureLoader::decodeJpeg},
        {QLatin1String(".jpeg"), &PictureLoader::decodeJpeg},
        {QLatin1String(".wmf"), &WmfRenderer::render},
        {QLatin1String(".emf"), &EmfRenderer::render},
    }};
    const QString lower = extension.toLower();
    const auto reader = std::find_if(readers.begin(), readers.end(),
                                     [&lower](const Reader& r) { return lower == r.extension; });
    return reader == readers.end() ? nullptr : reader->decode;
}

std::optional<QByteArray> PictureLoader::readRegularFile(const QByteArray& nativePath) {
    if (nativePath.isEmpty() || nativePath.contains('\0')) {
        return std::nullopt;
    }
    RegularFile file(nativePath.constData());
    if (!file.isOpen() || file.size() == 0 || file.size() > std::uint64_t(MaxFileBytes)) {
        return std::nullopt;
    }
    // A file that shrank while it was read is taken as far as it reached.
    QByteArray bytes(qsizetype(file.size()), Qt::Uninitialized);
    const long long got = file.readInto(bytes.data(), std::size_t(bytes.size()));
    if (got <= 0) {
        return std::nullopt;
    }
    bytes.truncate(qsizetype(got));
    return bytes;
}

std::optional<QImage> PictureLoader::decodeBmp(const QByteArray& bytes) {
    return BoundedImageReader::read(bytes, "bmp", MaxPixels);
}

std::optional<QImage> PictureLoader::decodeIco(const QByteArray& bytes) {
    return BoundedImageReader::read(bytes, "ico", MaxPixels);
}

std::optional<QImage> PictureLoader::decodeJpeg(const QByteArray& bytes) {
    const std::optional<DecodedPicture> decoded =
        JpegDecoder::decode(reinterpret_cast<const unsigned char*>(bytes.constData()),
                            std::size_t(bytes.size()), std::uint64_t(MaxPixels));
    if (!decoded) {
        return std::nullopt;
    }
    QImage image(decoded->width, decoded->height, QImage::Format_RGB888);
    if (image.isNull()) {
        return std::nullopt;
    }
    const std::size_t stride = std::size_t(decoded->width) * 3;
    for (int row = 0; row < decoded->height; ++row) {
        std::memcpy(image.scanLine(row), decoded->rgb.data() + stride * std::size_t(row), stride);
    }
    return image;
}
