// Renders a Windows metafile (.wmf) for the picture preview. libwmf's lite player reads the
// records and keeps the drawing state; the device layer here paints what it is told with
// QPainter. The canvas covers what the records draw, at screen resolution, capped.
//
// Bitmaps in the file are decoded by Qt's BMP reader and text is set in Qt's fonts, so of libwmf
// only the player runs. Flood fills are left out. The file's header is checked before the player
// sees it, and playing stops at the limit's deadline or when the picture is no longer wanted, so
// that a file of millions of large shapes cannot keep the preview busy.
#pragma once

#include <QByteArray>
#include <QImage>
#include <optional>

#include "RenderLimit.h"

class WmfRenderer {
  public:
    static constexpr qsizetype MaxFileBytes = qsizetype{16} << 20;
    static constexpr int MaxPlayMilliseconds = RenderLimit::MaxRenderMilliseconds;

    static std::optional<QImage> render(const QByteArray& bytes,
                                        const RenderLimit& limit = RenderLimit());
};
