// Loads the picture the file dialog previews. The extension alone chooses the reader: .bmp and
// .ico with Qt's readers, .jpg and .jpeg with JpegDecoder, .wmf with WmfRenderer and .emf with
// EmfRenderer. The other candidate extensions are recognised as pictures but not loaded.
//
// The file may be anything the user points at: only a regular file is read, up to a bound, and
// every damaged, empty, huge or special file gives std::nullopt. Runs on a worker thread: it
// touches no widget, and text in metafiles is set into images with Qt's fonts.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <atomic>
#include <optional>

#include "RenderLimit.h"

// What the preview shows of one picture.
struct PreviewPicture {
    QSize size;  // the picture's own
    // Fitted into the thumbnail's box, never larger than the picture.
    QImage thumbnail;
    // The whole picture: when asked for, and always when the thumbnail is the whole picture.
    QImage full;
};

class PictureLoader {
  public:
    static constexpr qint64 MaxFileBytes = qint64{64} << 20;
    // 8192 x 8192 pixels fit.
    static constexpr qint64 MaxPixels = qint64{64} << 20;

    // extension with its dot, in any case (".JPG").
    static bool isCandidate(const QString& extension);
    static std::optional<QImage> load(const QByteArray& nativePath, const QString& extension);
    // The file's bytes, already read, with the reader its extension chooses.
    static std::optional<QImage> decode(const QByteArray& bytes, const QString& extension,
                                        const RenderLimit& limit = RenderLimit());
    // The thumbnail, and the whole picture when withFull; a JPEG is decoded at a reduced scale
    // when only its thumbnail is wanted. cancelled, when set, ends the work early: no picture.
    static std::optional<PreviewPicture> loadPreview(const QByteArray& nativePath,
                                                     const QString& extension,
                                                     const QSize& thumbnailBox, bool withFull,
                                                     const std::atomic<bool>* cancelled = nullptr);
    // Scaled down smoothly to fit the box; a picture that fits already stays as it is.
    static QImage thumbnailOf(const QImage& picture, const QSize& box);

    using Decoder = std::optional<QImage> (*)(const QByteArray&, const RenderLimit&);

  private:
    // The reader for the extension; nullptr when there is none.
    static Decoder decoderFor(const QString& extension);
    static std::optional<QByteArray> readRegularFile(const QByteArray& nativePath);
    static std::optional<QImage> decodeBmp(const QByteArray& bytes, const RenderLimit& limit);
    static std::optional<QImage> decodeIco(const QByteArray& bytes, const RenderLimit& limit);
    static std::optional<QImage> decodeJpeg(const QByteArray& bytes, const RenderLimit& limit);
    static std::optional<PreviewPicture> jpegThumbnail(const QByteArray& nativePath,
                                                       const QSize& box, const RenderLimit& limit);
};
