#include "PictureLoader.h"

#include <QFile>
#include <QLatin1String>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

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

bool isJpeg(const QString& extension) {
    const QString lower = extension.toLower();
    return lower == QLatin1String(".jpg") || lower == QLatin1String(".jpeg");
}

// The decoder's rows become the image's own, without a copy: the image frees them.
std::optional<QImage> adoptRows(DecodedPicture&& decoded) {
    auto rows = std::make_unique<std::vector<unsigned char>>(std::move(decoded.rgb));
    QImage image(
        rows->data(), decoded.width, decoded.height, qsizetype(decoded.width) * 3,
        QImage::Format_RGB888,
        [](void* owned) { delete static_cast<std::vector<unsigned char>*>(owned); }, rows.get());
    if (image.isNull()) {
        return std::nullopt;
    }
    rows.release();
    return image;
}

// The JPEG decoded whole, or scaled down to cover `box` when it is valid; bounded and
// cancellable as every preview decode.
std::optional<DecodedPicture> decodeJpegBytes(const QByteArray& bytes, const QSize& box,
                                              const RenderLimit& limit) {
    JpegDecodeOptions options;
    if (box.isValid()) {
        options.boxWidth = box.width();
        options.boxHeight = box.height();
    }
    options.cancelled = limit.cancelled();
    return JpegDecoder::decode(reinterpret_cast<const unsigned char*>(bytes.constData()),
                               std::size_t(bytes.size()), std::uint64_t(PictureLoader::MaxPixels),
                               options);
}

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

std::optional<QImage> PictureLoader::decode(const QByteArray& bytes, const QString& extension,
                                            const RenderLimit& limit) {
    const Decoder decoder = decoderFor(extension);
    if (decoder == nullptr) {
        return std::nullopt;
    }
    std::optional<QImage> picture = decoder(bytes, limit);
    if (!picture || picture->isNull()) {
        return std::nullopt;
    }
    return picture;
}

std::optional<PreviewPicture> PictureLoader::loadPreview(const QByteArray& nativePath,
                                                         const QString& extension,
                                                         const QSize& thumbnailBox, bool withFull,
                                                         const std::atomic<bool>* cancelled) {
    if (decoderFor(extension) == nullptr) {
        return std::nullopt;
    }
    const RenderLimit limit(cancelled);
    if (!withFull && isJpeg(extension)) {
        return jpegThumbnail(nativePath, thumbnailBox, limit);
    }
    const std::optional<QByteArray> bytes = readRegularFile(nativePath);
    if (!bytes) {
        return std::nullopt;
    }
    std::optional<QImage> picture = decode(*bytes, extension, limit);
    if (!picture) {
        return std::nullopt;
    }
    PreviewPicture preview{picture->size(), thumbnailOf(*picture, thumbnailBox), QImage()};
    if (withFull || preview.thumbnail.size() == preview.size) {
        preview.full = std::move(*picture);
    }
    return preview;
}

QImage PictureLoader::thumbnailOf(const QImage& picture, const QSize& box) {
    const QSize fitted = picture.size().scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    if (fitted.width() >= picture.width() || fitted.height() >= picture.height()) {
        return picture;
    }
    return picture.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
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

std::optional<QImage> PictureLoader::decodeBmp(const QByteArray& bytes, const RenderLimit&) {
    return BoundedImageReader::read(bytes, "bmp", MaxPixels);
}

std::optional<QImage> PictureLoader::decodeIco(const QByteArray& bytes, const RenderLimit&) {
    return BoundedImageReader::read(bytes, "ico", MaxPixels);
}

std::optional<QImage> PictureLoader::decodeJpeg(const QByteArray& bytes, const RenderLimit& limit) {
    std::optional<DecodedPicture> decoded = decodeJpegBytes(bytes, QSize(), limit);
    if (!decoded) {
        return std::nullopt;
    }
    return adoptRows(std::move(*decoded));
}

// Read from the file as the decoder goes: a large photograph is not copied whole first.
std::optional<PreviewPicture> PictureLoader::jpegThumbnail(const QByteArray& nativePath,
                                                           const QSize& box,
                                                           const RenderLimit& limit) {
    if (nativePath.isEmpty() || nativePath.contains('\0')) {
        return std::nullopt;
    }
    RegularFile file(nativePath.constData());
    if (!file.isOpen() || file.size() == 0 || file.size() > std::uint64_t(MaxFileBytes)) {
        return std::nullopt;
    }
    const JpegDecoder::ReadMore read = [&file](unsigned char* buffer, std::size_t capacity) {
        return file.readInto(reinterpret_cast<char*>(buffer), capacity);
    };
    JpegDecodeOptions options;
    if (box.isValid()) {
        options.boxWidth = box.width();
        options.boxHeight = box.height();
    }
    options.cancelled = limit.cancelled();
    std::optional<DecodedPicture> decoded =
        JpegDecoder::decode(read, file.size(), std::uint64_t(MaxPixels), options);
    if (!decoded) {
        return std::nullopt;
    }
    const QSize size(decoded->sourceWidth, decoded->sourceHeight);
    const std::optional<QImage> scaled = adoptRows(std::move(*decoded));
    if (!scaled) {
        return std::nullopt;
    }
    PreviewPicture preview{size, thumbnailOf(*scaled, box), QImage()};
    if (scaled->size() == size && preview.thumbnail.size() == size) {
        preview.full = *scaled;
    }
    return preview;
}
