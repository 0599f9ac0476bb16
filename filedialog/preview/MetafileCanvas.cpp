#include "MetafileCanvas.h"

#include <algorithm>
#include <cmath>

std::optional<QSize> MetafileCanvas::sizeFor(const QSizeF& frame) {
    const double width = frame.width();
    const double height = frame.height();
    if (!std::isfinite(width) || !std::isfinite(height) || width <= 0 || height <= 0) {
        return std::nullopt;
    }
    const double scale = std::min(1.0, MaxSide / std::max(width, height));
    const auto side = [scale](double length) {
        return std::clamp(static_cast<int>(std::lround(length * scale)), 1, MaxSide);
    };
    return QSize(side(width), side(height));
}

QImage MetafileCanvas::blank(const QSize& size) {
    QImage canvas(size, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    return canvas;
}
