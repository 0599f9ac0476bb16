#include "FrameShape.h"

#include <QPainter>

FrameShape::FrameShape(QWidget* parent, const QString& name, QRect geometry, const QColor& fill,
                       const QColor& border, int borderWidth)
    : QWidget(parent), fill_(fill), border_(border), borderWidth_(borderWidth) {
    setObjectName(name);
    setGeometry(geometry);
}

void FrameShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), border_);
    painter.fillRect(
        rect().marginsRemoved(QMargins(borderWidth_, borderWidth_, borderWidth_, borderWidth_)),
        fill_);
}
