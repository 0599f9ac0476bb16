// Decodes a device-independent bitmap as a metafile carries it (header, colour masks, colour
// table and pixels, without a file header) with Qt's BMP reader, within a pixel budget.
#pragma once

#include <QImage>
#include <optional>

class DibReader {
  public:
    static constexpr long MaxBytes = long{64} << 20;

    static std::optional<QImage> read(const unsigned char* dib, long length, qint64 maxPixels);

  private:
    static std::optional<quint32> pixelOffset(const unsigned char* dib, long length);
};
