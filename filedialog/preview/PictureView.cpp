#include "PictureView.h"

#include <QMouseEvent>
#include <QPainter>

PictureView::PictureView(QWidget* parent) : QWidget(parent) {}

void PictureView::setPicture(const QImage& picture, const QSize& ownSize) {
    picture_ = picture;
    ownSize_ = ownSize.isValid() ? ownSize : picture.size();
    update();
}

void PictureView::clear() {
    setPicture(QImage());
}

void PictureView::setFitted(bool fitted) {
    fitted_ = fitted;
    update();
}

QRect PictureView::pictureRect() const {
    if (picture_.isNull()) {
        return QRect();
    }
    QSize size = ownSize_;
    if (fitted_) {
        size.scale(this->size(), Qt::KeepAspectRatio);
    }
    QRect placed(QPoint(0, 0), size);
    placed.moveCenter(rect().center());
    return placed;
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (picture_.isNull()) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(pictureRect(), picture_);
}

void PictureView::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit pressed();
}
