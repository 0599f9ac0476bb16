#include "LimitedPaintDevice.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>

namespace {

// Hands every state change and drawing call on to a painter on the image while the limit is
// not reached. Claiming every feature makes QPainter pass its calls and state unchanged.
class LimitedPaintEngine : public QPaintEngine {
  public:
    LimitedPaintEngine(QImage& image, const RenderLimit& limit)
        : QPaintEngine(QPaintEngine::AllFeatures), image_(image), limit_(limit) {}

    bool begin(QPaintDevice*) override { return target_.begin(&image_); }
    bool end() override { return target_.end(); }
    Type type() const override { return QPaintEngine::User; }
    bool reached() const { return reached_; }

    void updateState(const QPaintEngineState& state) override;

    void drawPath(const QPainterPath& path) override {
        if (live()) {
            target_.drawPath(path);
        }
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawRects(const QRectF* rects, int count) override {
        if (live()) {
            target_.drawRects(rects, count);
        }
    }
    void drawLines(const QLineF* lines, int count) override {
        if (live()) {
            target_.drawLines(lines, count);
        }
    }
    void drawEllipse(const QRectF& rect) override {
        if (live()) {
            target_.drawEllipse(rect);
        }
    }
    void drawPoints(const QPointF* points, int count) override {
        if (live()) {
            target_.drawPoints(points, count);
        }
    }
    void drawPixmap(const QRectF& rect, const QPixmap& pixmap, const QRectF& source) override {
        if (live()) {
            target_.drawPixmap(rect, pixmap, source);
        }
    }
    void drawImage(const QRectF& rect, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags flags) override {
        if (live()) {
            target_.drawImage(rect, image, source, flags);
        }
    }
    void drawTextItem(const QPointF& at, const QTextItem& text) override {
        if (live()) {
            target_.drawTextItem(at, text);
        }
    }

  private:
    // Checked at each call, which is cheap beside drawing it; once reached it stays so.
    bool live() {
        reached_ = reached_ || limit_.reached();
        return !reached_;
    }

    QImage& image_;
    const RenderLimit& limit_;
    QPainter target_;
    bool reached_ = false;
};

// The transform first: a clip arriving with it was set under it.
void LimitedPaintEngine::updateState(const QPaintEngineState& state) {
    const QPaintEngine::DirtyFlags dirty = state.state();
    if (dirty & DirtyTransform) {
        target_.setTransform(state.transform());
    }
    if (dirty & DirtyHints) {
        target_.setRenderHints(state.renderHints());
    }
    if (dirty & DirtyCompositionMode) {
        target_.setCompositionMode(state.compositionMode());
    }
    if (dirty & DirtyOpacity) {
        target_.setOpacity(state.opacity());
    }
    if (dirty & DirtyPen) {
        target_.setPen(state.pen());
    }
    if (dirty & DirtyBrush) {
        target_.setBrush(state.brush());
    }
    if (dirty & DirtyBrushOrigin) {
        target_.setBrushOrigin(state.brushOrigin());
    }
    if (dirty & DirtyBackground) {
        target_.setBackground(state.backgroundBrush());
    }
    if (dirty & DirtyBackgroundMode) {
        target_.setBackgroundMode(state.backgroundMode());
    }
    if (dirty & DirtyFont) {
        target_.setFont(state.font());
    }
    if (dirty & DirtyClipPath) {
        target_.setClipPath(state.clipPath(), state.clipOperation());
    }
    if (dirty & DirtyClipRegion) {
        target_.setClipRegion(state.clipRegion(), state.clipOperation());
    }
    if (dirty & DirtyClipEnabled) {
        target_.setClipping(state.isClipEnabled());
    }
}

void LimitedPaintEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) {
    if (!live()) {
        return;
    }
    switch (mode) {
        case PolylineMode:
            target_.drawPolyline(points, count);
            break;
        case WindingMode:
            target_.drawPolygon(points, count, Qt::WindingFill);
            break;
        case ConvexMode:
            target_.drawConvexPolygon(points, count);
            break;
        case OddEvenMode:
            target_.drawPolygon(points, count, Qt::OddEvenFill);
            break;
    }
}

}  // namespace

LimitedPaintDevice::LimitedPaintDevice(QImage& image, const RenderLimit& limit)
    : image_(image), engine_(std::make_unique<LimitedPaintEngine>(image, limit)) {}

LimitedPaintDevice::~LimitedPaintDevice() = default;

QPaintEngine* LimitedPaintDevice::paintEngine() const {
    return engine_.get();
}

bool LimitedPaintDevice::reached() const {
    return static_cast<const LimitedPaintEngine*>(engine_.get())->reached();
}

int LimitedPaintDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
        case PdmWidth:
            return image_.width();
        case PdmHeight:
            return image_.height();
        case PdmWidthMM:
            return image_.widthMM();
        case PdmHeightMM:
            return image_.heightMM();
        case PdmNumColors:
            return image_.colorCount();
        case PdmDepth:
            return image_.depth();
        case PdmDpiX:
            return image_.logicalDpiX();
        case PdmDpiY:
            return image_.logicalDpiY();
        case PdmPhysicalDpiX:
            return image_.physicalDpiX();
        case PdmPhysicalDpiY:
            return image_.physicalDpiY();
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
    }
    return 0;
}
