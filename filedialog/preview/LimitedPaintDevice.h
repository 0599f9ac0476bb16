// A paint device over a QImage that draws what it is told until a RenderLimit is reached and
// drops every drawing call after that, so that a drawing that cannot be interrupted itself (Qt
// SVG's, of a metafile with hundreds of thousands of shapes) ends soon after the limit.
// reached() then says that the image is incomplete.
#pragma once

#include <QImage>
#include <QPaintDevice>
#include <memory>

#include "RenderLimit.h"

class QPaintEngine;

class LimitedPaintDevice : public QPaintDevice {
  public:
    // image must outlive the device; it is drawn into through a QPainter of its own.
    LimitedPaintDevice(QImage& image, const RenderLimit& limit);
    ~LimitedPaintDevice() override;
    LimitedPaintDevice(const LimitedPaintDevice&) = delete;
    LimitedPaintDevice& operator=(const LimitedPaintDevice&) = delete;

    QPaintEngine* paintEngine() const override;
    // Whether drawing calls were dropped.
    bool reached() const;

  protected:
    int metric(PaintDeviceMetric metric) const override;

  private:
    QImage& image_;
    std::unique_ptr<QPaintEngine> engine_;
};
