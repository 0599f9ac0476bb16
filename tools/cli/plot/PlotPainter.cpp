#include "PlotPainter.h"

#include <QDateTime>
#include <QPainterPath>
#include <QTimeZone>
#include <algorithm>
#include <cmath>

namespace {

constexpr double LeftMargin = 130;
constexpr double RightMargin = 24;
constexpr double TopMargin = 56;
constexpr double SpeedHeight = 330;
constexpr double LaneGap = 24;
constexpr double LaneHeight = 22;
constexpr int32_t MinimalSpeedSpan = 10;

const QColor InputColour(31, 119, 180);
const QColor OutputColour(230, 110, 20);
const QColor LaneColour(200, 30, 30);
const QColor LostLinkColour(200, 200, 200);
const QColor GridColour(225, 225, 225);

// A step of the speed axis: 1, 2 or 5 times a power of ten, giving at most about 8 steps.
double NiceStep(double span) {
    const double rough = span / 8.0;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough) {
            return factor * power;
        }
    }
    return 10.0 * power;
}

// A step of the time axis that a clock reads easily.
qint64 TimeStep(qint64 spanMs) {
    static const qint64 steps[] = {1000,    2000,    5000,     10000,    15000,    30000,
                                   60000,   120000,  300000,   600000,   900000,   1800000,
                                   3600000, 7200000, 10800000, 21600000, 43200000, 86400000};
    for (const qint64 step : steps) {
        if (spanMs / step <= 8) {
            return step;
        }
    }
    return ((spanMs / 8 / 86400000) + 1) * 86400000;
}

}  // namespace

PlotPainter::PlotPainter(const Recording& recording, QString title)
    : recording_(recording), title_(std::move(title)) {
    if (!recording_.rows.empty()) {
        firstMs_ = recording_.rows.front().msSinceEpoch;
        lastMs_ = firstMs_;
    }
    bool anySpeed = false;
    for (const RecordingRow& row : recording_.rows) {
        firstMs_ = std::min(firstMs_, row.msSinceEpoch);
        lastMs_ = std::max(lastMs_, row.msSinceEpoch);
        for (const auto& speed : {row.inputSpeed, row.outputSpeed}) {
            if (speed) {
                lowestSpeed_ = anySpeed ? std::min(lowestSpeed_, *speed) : *speed;
                highestSpeed_ = anySpeed ? std::max(highestSpeed_, *speed) : *speed;
                anySpeed = true;
            }
        }
    }
    lastMs_ = std::max(lastMs_, firstMs_ + 1000);
    // A steady speed still gets an axis around it.
    if (highestSpeed_ - lowestSpeed_ < MinimalSpeedSpan) {
        lowestSpeed_ -= MinimalSpeedSpan / 2;
        highestSpeed_ = lowestSpeed_ + MinimalSpeedSpan;
    }
}

QRectF PlotPainter::SpeedArea() {
    return {LeftMargin, TopMargin, PictureSize.width() - LeftMargin - RightMargin, SpeedHeight};
}

QRectF PlotPainter::LaneArea(int laneCount) {
    const QRectF speed = SpeedArea();
    return {speed.left(), speed.bottom() + LaneGap, speed.width(), LaneHeight * laneCount};
}

QRectF PlotPainter::LaneRect(int laneCount, int lane) {
    const QRectF area = LaneArea(laneCount);
    return {area.left(), area.top() + LaneHeight * lane, area.width(), LaneHeight};
}

double PlotPainter::XOf(qint64 msSinceEpoch) const {
    const QRectF area = SpeedArea();
    return area.left() +
           area.width() * double(msSinceEpoch - firstMs_) / double(lastMs_ - firstMs_);
}

double PlotPainter::YOfSpeed(int32_t speed) const {
    const QRectF area = SpeedArea();
    const double margin = (double(highestSpeed_) - lowestSpeed_) * 0.05;
    const double low = lowestSpeed_ - margin;
    const double high = highestSpeed_ + margin;
    return area.bottom() - area.height() * (speed - low) / (high - low);
}

qint64 PlotPainter::EndOf(std::size_t row) const {
    const qint64 start = recording_.rows[row].msSinceEpoch;
    if (row + 1 == recording_.rows.size()) {
        return start;
    }
    const qint64 next = recording_.rows[row + 1].msSinceEpoch;
    return next >= start && next - start <= LongestStepMs ? next : start;
}

void PlotPainter::Paint(QPainter& painter) const {
    painter.fillRect(QRect(QPoint(0, 0), PictureSize), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing, false);
    PaintLostLink(painter);
    PaintSpeedAxis(painter);
    PaintSpeed(painter, &RecordingRow::inputSpeed, InputColour);
    PaintSpeed(painter, &RecordingRow::outputSpeed, OutputColour);
    PaintLanes(painter);
    PaintTimeAxis(painter);
    PaintTitle(painter);
    PaintLegend(painter);
}

void PlotPainter::PaintTitle(QPainter& painter) const {
    QFont font = painter.font();
    font.setPixelSize(16);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(LeftMargin, 8, SpeedArea().width(), 24),
                     Qt::AlignLeft | Qt::AlignVCenter, title_);
}

void PlotPainter::PaintLostLink(QPainter& painter) const {
    const int lanes = static_cast<int>(recording_.lineNames.size());
    const double top = SpeedArea().top();
    const double bottom = LaneArea(lanes).bottom();
    for (std::size_t row = 0; row < recording_.rows.size(); ++row) {
        if (recording_.rows[row].connected) {
            continue;
        }
        const double left = XOf(recording_.rows[row].msSinceEpoch);
        const double right = std::max(left + 1.0, XOf(EndOf(row)));
        painter.fillRect(QRectF(left, top, right - left, bottom - top), LostLinkColour);
    }
}

void PlotPainter::PaintSpeedAxis(QPainter& painter) const {
    const QRectF area = SpeedArea();
    QFont font = painter.font();
    font.setPixelSize(12);
    font.setBold(false);
    painter.setFont(font);
    const double step = NiceStep(double(highestSpeed_) - lowestSpeed_);
    for (double value = std::ceil(lowestSpeed_ / step) * step; value <= highestSpeed_;
         value += step) {
        const double y = YOfSpeed(static_cast<int32_t>(value));
        painter.setPen(GridColour);
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, y - 8, area.left() - 6, 16), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(value, 'g', 10));
    }
    painter.setPen(Qt::black);
    painter.drawRect(area);
    painter.save();
    painter.translate(14, area.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-80, -8, 160, 16), Qt::AlignCenter, QStringLiteral("mm/s"));
    painter.restore();
}

void PlotPainter::PaintSpeed(QPainter& painter, std::optional<int32_t> RecordingRow::*speed,
                             const QColor& colour) const {
    QPainterPath path;
    bool drawing = false;
    for (std::size_t row = 0; row < recording_.rows.size(); ++row) {
        const std::optional<int32_t>& value = recording_.rows[row].*speed;
        if (!value || !recording_.rows[row].connected) {
            drawing = false;
            continue;
        }
        const QPointF start(XOf(recording_.rows[row].msSinceEpoch), YOfSpeed(*value));
        drawing ? path.lineTo(start) : path.moveTo(start);
        path.lineTo(XOf(EndOf(row)), start.y());
        drawing = EndOf(row) != recording_.rows[row].msSinceEpoch;
    }
    painter.setPen(QPen(colour, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
}

void PlotPainter::PaintLanes(QPainter& painter) const {
    const int lanes = static_cast<int>(recording_.lineNames.size());
    QFont font = painter.font();
    font.setPixelSize(12);
    painter.setFont(font);
    for (int lane = 0; lane < lanes; ++lane) {
        const QRectF rect = LaneRect(lanes, lane);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, rect.top(), rect.left() - 6, rect.height()),
                         Qt::AlignRight | Qt::AlignVCenter, recording_.lineNames[lane]);
        const uint32_t bit = 1u << lane;
        for (std::size_t row = 0; row < recording_.rows.size(); ++row) {
            const RecordingRow& r = recording_.rows[row];
            if (!r.connected || (r.linesKnown & bit) == 0 || (r.linesSet & bit) == 0) {
                continue;
            }
            const double left = XOf(r.msSinceEpoch);
            const double right = std::max(left + 1.0, XOf(EndOf(row)));
            painter.fillRect(QRectF(left, rect.top() + 4, right - left, rect.height() - 8),
                             LaneColour);
        }
        painter.setPen(GridColour);
        painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    }
    painter.setPen(Qt::black);
    painter.drawRect(LaneArea(lanes));
}

void PlotPainter::PaintTimeAxis(QPainter& painter) const {
    const int lanes = static_cast<int>(recording_.lineNames.size());
    const double top = SpeedArea().top();
    const double bottom = LaneArea(lanes).bottom();
    const qint64 step = TimeStep(lastMs_ - firstMs_);
    const qint64 offsetMs = qint64{recording_.offsetFromUtc} * 1000;
    // Ticks fall on whole steps of the clock the recording was written by.
    qint64 tick = ((firstMs_ + offsetMs + step - 1) / step) * step - offsetMs;
    const QTimeZone zone(recording_.offsetFromUtc);
    const bool severalDays = lastMs_ - firstMs_ > 86400000;
    const QString format = severalDays    ? QStringLiteral("dd.MM. HH:mm")
                           : step < 60000 ? QStringLiteral("HH:mm:ss")
                                          : QStringLiteral("HH:mm");
    QFont font = painter.font();
    font.setPixelSize(12);
    painter.setFont(font);
    for (; tick <= lastMs_; tick += step) {
        const double x = XOf(tick);
        painter.setPen(GridColour);
        painter.drawLine(QPointF(x, top + 1), QPointF(x, SpeedArea().bottom() - 1));
        painter.setPen(Qt::black);
        painter.drawLine(QPointF(x, bottom), QPointF(x, bottom + 5));
        const QString label = QDateTime::fromMSecsSinceEpoch(tick, zone).toString(format);
        painter.drawText(QRectF(x - 60, bottom + 6, 120, 16), Qt::AlignCenter, label);
    }
    const QString day =
        QDateTime::fromMSecsSinceEpoch(firstMs_, zone).toString(QStringLiteral("yyyy-MM-dd"));
    const int offsetMinutes = recording_.offsetFromUtc / 60;
    const QString offset = QStringLiteral("UTC%1%2:%3")
                               .arg(offsetMinutes < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                               .arg(std::abs(offsetMinutes) / 60, 2, 10, QLatin1Char('0'))
                               .arg(std::abs(offsetMinutes) % 60, 2, 10, QLatin1Char('0'));
    painter.drawText(QRectF(0, bottom + 24, SpeedArea().right(), 16), Qt::AlignRight,
                     day + QStringLiteral(", clock ") + offset);
}

void PlotPainter::PaintLegend(QPainter& painter) const {
    QFont font = painter.font();
    font.setPixelSize(12);
    font.setBold(false);
    painter.setFont(font);
    struct Entry {
        QColor colour;
        QString text;
    };
    const Entry entries[] = {{InputColour, QStringLiteral("input speed")},
                             {OutputColour, QStringLiteral("output speed")},
                             {LostLinkColour, QStringLiteral("link lost")}};
    double x = SpeedArea().left();
    const double y = 36;
    for (const Entry& entry : entries) {
        painter.fillRect(QRectF(x, y, 14, 10), entry.colour);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x + 18, y - 3, 120, 16), Qt::AlignLeft | Qt::AlignVCenter,
                         entry.text);
        x += 130;
    }
}
