// The raster a metafile is drawn into for the preview. Its size comes from the picture's frame at
// screen resolution, the longer side capped, so that no header can ask for more memory than a
// preview needs; the proportions stay.
#pragma once

#include <QImage>
#include <QSize>
#include <QSizeF>
#include <optional>

class MetafileCanvas {
  public:
    static constexpr int MaxSide = 4096;
    static constexpr double ScreenDpi = 96.0;

    // frame is in pixels at ScreenDpi; a frame that is empty, negative or not finite gives none.
    static std::optional<QSize> sizeFor(const QSizeF& frame);
    // Transparent, so that what the metafile leaves undrawn shows the background behind it.
    static QImage blank(const QSize& size);
};
