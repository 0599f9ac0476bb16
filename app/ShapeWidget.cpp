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
        painter.setPen(QPen(pen_, 1));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}
