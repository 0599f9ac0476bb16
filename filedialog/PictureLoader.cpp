#include "PictureLoader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QLatin1String>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include "BoundedImageReader.h"
#include "EmfRenderer.h"
#include "JpegDecoder.h"
#include "WmfRenderer.h"

namespace {

const std::array<QLatin1String, 11> CandidateExtensions = {
    QLatin1String(".bmp"), QLatin1String(".dib"),  QLatin1String(".jpg"), QLatin1String(".jpeg"),
    QLatin1String(".jpe"), QLatin1String(".jfif"), QLatin1String(".ico"), QLatin1String(".emf"),
    QLatin1String(".emz"), QLatin1String(".wmf"),  QLatin1String(".wmz"),
};

using Decoder = std::optional<QImage> (*)(const QByteArray&);

struct Reader {
    QLatin1String extension;
    Decoder decode;
};

// Closes the descriptor on every way out of readRegularFile.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int fd() const { return fd_; }

  private:
    int fd_;
};

}  // namespace

bool PictureLoader::isCandidate(const QString& extension) {
    const QString lower = extension.toLower();
    return std::any_of(CandidateExtensions.begin(), CandidateExtensions.end(),
                       [&lower](QLatin1String candidate) { return lower == candidate; });
}

std::optional<QImage> PictureLoader::load(const QByteArray& nativePath, const QString& extension) {
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
    if (reader == readers.end()) {
        return std::nullopt;
    }
    const std::optional<QByteArray> bytes = readRegularFile(nativePath);
    if (!bytes) {
        return std::nullopt;
    }
    std::optional<QImage> picture = reader->decode(*bytes);
    if (!picture || picture->isNull()) {
        return std::nullopt;
    }
    return picture;
}

std::optional<QByteArray> PictureLoader::readRegularFile(const QByteArray& nativePath) {
    if (nativePath.isEmpty() || nativePath.contains('\0')) {
        return std::nullopt;
    }
    // O_NONBLOCK: opening a FIFO must not wait for a writer; it is refused below.
    const Descriptor file(
        ::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat status {};
    if (file.fd() < 0 || ::fstat(file.fd(), &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_size <= 0 || status.st_size > MaxFileBytes) {
        return std::nullopt;
    }
    QByteArray bytes(qsizetype(status.st_size), Qt::Uninitialized);
    qsizetype filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got =
            ::read(file.fd(), bytes.data() + filled, std::size_t(bytes.size() - filled));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        filled += got;
    }
    // A file that shrank while it was read is taken as far as it reached.
    if (filled == 0) {
        return std::nullopt;
    }
    bytes.truncate(filled);
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
