#include "PaintedGlyph.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

QIcon PaintedGlyph::Icon(QSize naturalSize, Drawing draw) {
    return QIcon(new PaintedGlyph(naturalSize, std::move(draw)));
}

PaintedGlyph::PaintedGlyph(QSize naturalSize, Drawing draw)
    : natural_(naturalSize), draw_(std::move(draw)) {}

void PaintedGlyph::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                         QIcon::State state) {
    const qreal ratio = painter->device()->devicePixelRatioF();
    QPixmap glyph = pixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state);
    glyph.setDevicePixelRatio(ratio);
    const QSizeF shown = glyph.deviceIndependentSize();
    const QPointF topLeft(rect.x() + (rect.width() - shown.width()) / 2,
                          rect.y() + (rect.height() - shown.height()) / 2);
    painter->drawPixmap(topLeft, glyph);
}

// Never larger than its natural size, as a glyph held as a picture.
QSize PaintedGlyph::actualSize(const QSize& size, QIcon::Mode, QIcon::State) {
    if (size.width() >= natural_.width() && size.height() >= natural_.height()) {
        return natural_;
    }
    return natural_.scaled(size, Qt::KeepAspectRatio);
}

// Fills the size asked for: styles ask for the icon size times the device pixel ratio.
QPixmap PaintedGlyph::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) {
    const QSize drawn = natural_.scaled(size, Qt::KeepAspectRatio);
    if (drawn.isEmpty()) {
        return QPixmap();
    }
    QPixmap glyph(drawn);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(qreal(drawn.width()) / natural_.width(),
                  qreal(drawn.height()) / natural_.height());
    draw_(painter);
    painter.end();
    if (mode != QIcon::Disabled) {
        return glyph;
    }
    QStyleOption option;
    option.palette = QApplication::palette();
    return QApplication::style()->generatedIconPixmap(QIcon::Disabled, glyph, &option);
}

QIconEngine* PaintedGlyph::clone() const {
    return new PaintedGlyph(natural_, draw_);
}
