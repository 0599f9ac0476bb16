// Loads the picture the file dialog previews. The extension alone chooses the reader: .bmp and
// .ico with Qt's readers, .jpg and .jpeg with JpegDecoder, .wmf with WmfRenderer and .emf with
// EmfRenderer. The other candidate extensions are recognised as pictures but not loaded.
//
// The file may be anything the user points at: only a regular file is read, up to a bound, and
// every damaged, empty, huge or special file gives std::nullopt. Runs on the GUI thread (text in
// metafiles is set with Qt's fonts).
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

class PictureLoader {
  public:
    static constexpr qint64 MaxFileBytes = qint64{64} << 20;
    // 8192 x 8192 pixels fit.
    static constexpr qint64 MaxPixels = qint64{64} << 20;

    // extension with its dot, in any case (".JPG").
    static bool isCandidate(const QString& extension);
    static std::optional<QImage> load(const QByteArray& nativePath, const QString& extension);
    // The file's bytes, already read, with the reader its extension chooses.
    static std::optional<QImage> decode(const QByteArray& bytes, const QString& extension);

    using Decoder = std::optional<QImage> (*)(const QByteArray&);

  private:
    // The reader for the extension; nullptr when there is none.
    static Decoder decoderFor(const QString& extension);
    static std::optional<QByteArray> readRegularFile(const QByteArray& nativePath);
    static std::optional<QImage> decodeBmp(const QByteArray& bytes);
    static std::optional<QImage> decodeIco(const QByteArray& bytes);
    static std::optional<QImage> decodeJpeg(const QByteArray& bytes);
};
