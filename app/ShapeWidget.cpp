#include "ShapeWidget.h"

#include <QPainter>

ShapeWidget::ShapeWidget(QWidget* parent, const QString& name, QRect geometry, Border border)
    : QWidget(parent), border_(border) {
    setObjectName(name);
    setGeometry(geometry);
}

void ShapeWidget::setBrushColor(const QColor& color) {
    if (brush_ != color) {
        brush_ = color;
        update();
    }
}

void ShapeWidget::setPenColor(const QColor& color) {
    if (pen_ != color) {
        pen_ = color;
        update();
    }
}

void ShapeWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), brush_);
    if (border_ == Border::Pen) {
        // A pen is centred on its line: drawn half a pen inside the edge, the border lies
        // wholly inside the shape and is equally thick on all four sides at any screen scale;
        // mitred, its corners are closed. Smoothed, a border of one and a half screen pixels
        // is shaded evenly instead of one pixel on some sides and two on others; where it
        // covers whole pixels (any whole scale) nothing is shaded.
        painter.setRenderHint(QPainter::Antialiasing);
        constexpr qreal penWidth = 1;
        painter.setPen(QPen(pen_, penWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        const qreal half = penWidth / 2;
        painter.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
    }
}
