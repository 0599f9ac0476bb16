// Draws a recording: input and output speed over time above, the IO lines as a timeline of
// lanes below, stretches of a lost link shaded across both, and a time axis with the clock
// times at which the lines were written.
#pragma once

#include <QPainter>
#include <QSize>
#include <QString>

#include "Recording.h"

class PlotPainter {
  public:
    static constexpr QSize PictureSize{1200, 700};
    // A pause longer than this between two lines is a gap of the recording, not a steady value.
    static constexpr qint64 LongestStepMs = 3000;

    PlotPainter(const Recording& recording, QString title);

    void Paint(QPainter& painter) const;

    // Where the parts are, so that tests can look at them.
    static QRectF SpeedArea();
    static QRectF LaneArea(int laneCount);
    static QRectF LaneRect(int laneCount, int lane);

  private:
    double XOf(qint64 msSinceEpoch) const;
    double YOfSpeed(int32_t speed) const;
    // Where a row's value ends: the next row, unless the recording paused.
    qint64 EndOf(std::size_t row) const;

    void PaintTitle(QPainter& painter) const;
    void PaintLostLink(QPainter& painter) const;
    void PaintSpeedAxis(QPainter& painter) const;
    void PaintSpeed(QPainter& painter, std::optional<int32_t> RecordingRow::*speed,
                    const QColor& colour) const;
    void PaintLanes(QPainter& painter) const;
    void PaintTimeAxis(QPainter& painter) const;
    void PaintLegend(QPainter& painter) const;

    const Recording& recording_;
    QString title_;
    qint64 firstMs_ = 0;
    qint64 lastMs_ = 1;
    int32_t lowestSpeed_ = 0;
    int32_t highestSpeed_ = 1;
};
