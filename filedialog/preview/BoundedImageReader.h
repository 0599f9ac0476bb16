// Decodes a picture held in memory with one of Qt's image readers, named by format and never
// guessed from the content, and refuses it before decoding when it would exceed a pixel budget.
#pragma once

#include <QByteArray>
#include <QImage>
#include <optional>

class BoundedImageReader {
  public:
    static std::optional<QImage> read(const QByteArray& bytes, const char* format,
                                      qint64 maxPixels);
};
