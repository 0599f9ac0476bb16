#include "ModePictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace mode_pictures {
namespace {

const QColor High(255, 0, 0);
const QColor Low(0, 0, 255);
const QColor Edge(128, 128, 128);
constexpr int PictureHeight = 52;
constexpr int EmptyWidth = 52;
constexpr int PictureWidth = 104;

// Holds a pixel of the screen for every pixel of the picture, so that it is drawn, not blown
// up, on a scaled screen.
QPixmap Blank(int width, qreal devicePixelRatio) {
    QPixmap picture((QSizeF(width, PictureHeight) * devicePixelRatio).toSize());
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(Qt::transparent);
    return picture;
}

void Line(QPainter& painter, const QColor& color, QPointF from, QPointF to, qreal width = 2) {
    painter.setPen(QPen(color, width, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(from, to);
}

// A square wave from left to right: high segments red, low segments blue, edges gray.
void PulseTrain(QPainter& painter, qreal left, qreal right, qreal high, qreal low, qreal halfPeriod,
                bool startHigh) {
    bool isHigh = startHigh;
    for (qreal x = left; x < right; x += halfPeriod) {
        const qreal end = qMin(x + halfPeriod, right);
        Line(painter, isHigh ? High : Low, QPointF(x, isHigh ? high : low),
             QPointF(end, isHigh ? high : low));
        if (end < right) {
            Line(painter, Edge, QPointF(end, high), QPointF(end, low), 1.5);
        }
        isHigh = !isHigh;
    }
}

void Caption(QPainter& painter, const QRectF& box, const QString& text, const QColor& color) {
    QFont font = painter.font();
    font.setPixelSize(8);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(box, Qt::AlignCenter, text);
}

void Arrow(QPainter& painter, qreal left, qreal right, qreal y) {
    Line(painter, Edge, QPointF(left, y), QPointF(right, y), 1.5);
    QPainterPath head;
    head.moveTo(right, y);
    head.lineTo(right - 5, y - 3);
    head.lineTo(right - 5, y + 3);
    head.closeSubpath();
    painter.fillPath(head, Edge);
}

QPixmap GeneratorWithLabels(qreal devicePixelRatio) {
    QPixmap picture = Blank(PictureWidth, devicePixelRatio);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    PulseTrain(painter, 4, 100, 16, 40, 24, true);
    for (qreal x : {4.0, 52.0}) {
        Caption(painter, QRectF(x, 2, 24, 12), "HIGH", High);
        Caption(painter, QRectF(x + 24, 40, 24, 12), "LOW", Low);
    }
    return picture;
}

// An upper pulse train and its copy shifted right past a vertical line; the arrow says by
// what unit the signal is shifted.
QPixmap ShiftedTrains(const QString& unit, qreal devicePixelRatio) {
    QPixmap picture = Blank(PictureWidth, devicePixelRatio);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal origin = 22;   // first rising edge of the upper train
    const qreal shifted = 48;  // the same edge in the lower train
    Line(painter, Low, QPointF(2, 16), QPointF(origin, 16));
    Line(painter, Edge, QPointF(origin, 4), QPointF(origin, 16), 1.5);
    PulseTrain(painter, origin, 102, 4, 16, 20, true);
    Line(painter, Low, QPointF(2, 48), QPointF(shifted, 48));
    Line(painter, Edge, QPointF(shifted, 36), QPointF(shifted, 48), 1.5);
    PulseTrain(painter, shifted, 102, 36, 48, 20, true);
    painter.setPen(QPen(Edge, 1, Qt::DashLine));
    painter.drawLine(QPointF(shifted, 0), QPointF(shifted, PictureHeight));
    Arrow(painter, origin, shifted - 1, 26);
    Caption(painter, QRectF(shifted + 2, 19, 30, 14), unit, Edge);
    return picture;
}

QPixmap RegularSquareWave(qreal devicePixelRatio) {
    QPixmap picture = Blank(PictureWidth, devicePixelRatio);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    PulseTrain(painter, 4, 100, 10, 42, 12, true);
    return picture;
}

// A slow pulse train in, a rising line for the factor, a faster pulse train out.
QPixmap SpeedAdaptation(qreal devicePixelRatio) {
    QPixmap picture = Blank(PictureWidth, devicePixelRatio);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    PulseTrain(painter, 2, 46, 4, 16, 11, true);
    Line(painter, Edge, QPointF(30, 46), QPointF(74, 6), 2);
    PulseTrain(painter, 58, 102, 36, 48, 5.5, true);
    return picture;
}

}  // namespace

QPixmap StartPicture(int mode, qreal devicePixelRatio) {
    switch (mode) {
        case 1:
            return GeneratorWithLabels(devicePixelRatio);
        case 2:
            return ShiftedTrains("ms", devicePixelRatio);
        case 3:
            return ShiftedTrains("MM", devicePixelRatio);
        default:
            return Blank(EmptyWidth, devicePixelRatio);
    }
}

QPixmap SpeedPicture(int mode, qreal devicePixelRatio) {
    switch (mode) {
        case 1:
            return RegularSquareWave(devicePixelRatio);
        case 2:
        case 3:
        case 4:
            return SpeedAdaptation(devicePixelRatio);
        default:
            return Blank(EmptyWidth, devicePixelRatio);
    }
}

}  // namespace mode_pictures
