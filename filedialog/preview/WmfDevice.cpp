#include "WmfDevice.h"

#include <libwmf/api.h>
#include <libwmf/defs.h>
#include <libwmf/ipa.h>
#include <libwmf/macro.h>

#include <QFont>
#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "DibReader.h"

namespace {

// Text is measured and laid out at this size, then scaled to the size the player asks for.
constexpr double ReferencePixels = 100.0;
constexpr double DegreesPerRadian = 180.0 / 3.14159265358979323846;
constexpr int MaxBitmapSide = 65535;     // the player keeps bitmap sides in 16 bits
constexpr double MaxPenWidth = 32767.0;  // the widest pen a record can ask for, in points

WmfDevice& deviceOf(wmfAPI* api) {
    return *static_cast<WmfDevice*>(api->device_data);
}

QColor colourOf(const wmfRGB& rgb) {
    return QColor(rgb.r, rgb.g, rgb.b);
}

QPointF pointOf(const wmfD_Coord& coord) {
    return QPointF(coord.x, coord.y);
}

QRectF rectOf(const wmfD_Coord& topLeft, const wmfD_Coord& bottomRight) {
    return QRectF(pointOf(topLeft), pointOf(bottomRight)).normalized();
}

Qt::PenStyle lineStyleOf(unsigned style) {
    switch (style) {
        case PS_DASH:
            return Qt::DashLine;
        case PS_DOT:
        case PS_ALTERNATE:
            return Qt::DotLine;
        case PS_DASHDOT:
            return Qt::DashDotLine;
        case PS_DASHDOTDOT:
            return Qt::DashDotDotLine;
        default:
            return Qt::SolidLine;
    }
}

QPen penOf(const wmfDC* dc) {
    const wmfPen* pen = dc->pen;
    const double width = pen != nullptr ? (pen->width + pen->height) / 2 : 0.0;
    if (pen == nullptr || WMF_PEN_STYLE(pen) == PS_NULL || !std::isfinite(width)) {
        return QPen(Qt::NoPen);
    }
    QPen result(colourOf(pen->lopnColor));
    result.setWidthF(std::clamp(width, 0.0, MaxPenWidth));
    result.setStyle(lineStyleOf(WMF_PEN_STYLE(pen)));
    const unsigned cap = WMF_PEN_ENDCAP(pen);
    result.setCapStyle(cap == PS_ENDCAP_SQUARE ? Qt::SquareCap
                       : cap == PS_ENDCAP_FLAT ? Qt::FlatCap
                                               : Qt::RoundCap);
    const unsigned join = WMF_PEN_JOIN(pen);
    result.setJoinStyle(join == PS_JOIN_BEVEL   ? Qt::BevelJoin
                        : join == PS_JOIN_MITER ? Qt::MiterJoin
                                                : Qt::RoundJoin);
    return result;
}

Qt::BrushStyle hatchOf(unsigned hatch) {
    switch (hatch) {
        case HS_HORIZONTAL:
            return Qt::HorPattern;
        case HS_VERTICAL:
            return Qt::VerPattern;
        case HS_FDIAGONAL:
            return Qt::FDiagPattern;
        case HS_BDIAGONAL:
            return Qt::BDiagPattern;
        case HS_CROSS:
            return Qt::CrossPattern;
        case HS_DIAGCROSS:
            return Qt::DiagCrossPattern;
        default:
            return Qt::SolidPattern;
    }
}

QBrush brushOf(const WmfDevice& device, const wmfDC* dc) {
    const wmfBrush* brush = dc->brush;
    if (brush == nullptr || brush->lbStyle == BS_NULL) {
        return QBrush();
    }
    const QColor colour = colourOf(brush->lbColor);
    switch (brush->lbStyle) {
        case BS_HATCHED:
            return QBrush(colour, hatchOf(brush->lbHatch));
        case BS_PATTERN:
        case BS_DIBPATTERN:
        case BS_DIBPATTERNPT:
            if (const QImage* pattern = device.bitmap(brush->bmp.data)) {
                return QBrush(*pattern);
            }
            return QBrush(colour);
        default:
            return QBrush(colour);
    }
}

// Fills with the brush (a hatch over the background colour when the background is opaque),
// then strokes with the pen.
void paintShape(WmfDevice& device, const wmfDC* dc, QPainterPath path, bool closed) {
    QPainter& painter = device.painter();
    path.setFillRule(dc->polyfillmode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    const QBrush brush = closed ? brushOf(device, dc) : QBrush();
    if (brush.style() != Qt::NoBrush) {
        if (dc->brush->lbStyle == BS_HATCHED && WMF_DC_OPAQUE(dc)) {
            painter.fillPath(path, colourOf(dc->bgcolor));
        }
        painter.fillPath(path, brush);
    }
    const QPen pen = penOf(dc);
    if (pen.style() != Qt::NoPen) {
        painter.strokePath(path, pen);
    }
}

QPolygonF polygonOf(const wmfD_Coord* points, unsigned count) {
    QPolygonF polygon;
    polygon.reserve(int(count));
    for (unsigned i = 0; i < count; ++i) {
        polygon << pointOf(points[i]);
    }
    return polygon;
}

enum class ArcShape { Open, Pie, Chord };

// The player gives the ends relative to the centre, and names "end" the record's first radial.
// Arcs run counter-clockwise on the page from the first radial to the second, a full turn when
// they meet.
void drawArcShape(wmfAPI* api, const wmfDrawArc_t* arc, ArcShape shape) {
    const QRectF box = rectOf(arc->TL, arc->BR);
    const double start = -std::atan2(arc->end.y, arc->end.x) * DegreesPerRadian;
    const double end = -std::atan2(arc->start.y, arc->start.x) * DegreesPerRadian;
    double sweep = std::fmod(end - start + 720.0, 360.0);
    if (sweep <= 0.0) {
        sweep = 360.0;
    }
    QPainterPath path;
    if (shape == ArcShape::Pie) {
        path.moveTo(box.center());
    } else {
        path.arcMoveTo(box, start);
    }
    path.arcTo(box, start, sweep);
    if (shape != ArcShape::Open) {
        path.closeSubpath();
    }
    paintShape(deviceOf(api), arc->dc, path, shape != ArcShape::Open);
}

void drawPie(wmfAPI* api, wmfDrawArc_t* arc) {
    drawArcShape(api, arc, ArcShape::Pie);
}

void drawChord(wmfAPI* api, wmfDrawArc_t* arc) {
    drawArcShape(api, arc, ArcShape::Chord);
}

void drawArc(wmfAPI* api, wmfDrawArc_t* arc) {
    drawArcShape(api, arc, ArcShape::Open);
}

void drawEllipse(wmfAPI* api, wmfDrawArc_t* arc) {
    QPainterPath path;
    path.addEllipse(rectOf(arc->TL, arc->BR));
    paintShape(deviceOf(api), arc->dc, path, true);
}

void drawPixel(wmfAPI* api, wmfDrawPixel_t* pixel) {
    const QSizeF size(pixel->pixel_width, pixel->pixel_height);
    deviceOf(api).painter().fillRect(QRectF(pointOf(pixel->pt), size), colourOf(pixel->color));
}

void drawLine(wmfAPI* api, wmfDrawLine_t* line) {
    QPainterPath path(pointOf(line->from));
    path.lineTo(pointOf(line->to));
    paintShape(deviceOf(api), line->dc, path, false);
}

void drawPolyLine(wmfAPI* api, wmfPolyLine_t* line) {
    QPainterPath path;
    path.addPolygon(polygonOf(line->pt, line->count));
    paintShape(deviceOf(api), line->dc, path, false);
}

void drawPolygon(wmfAPI* api, wmfPolyLine_t* line) {
    QPainterPath path;
    path.addPolygon(polygonOf(line->pt, line->count));
    path.closeSubpath();
    paintShape(deviceOf(api), line->dc, path, true);
}

void drawPolyPolygon(wmfAPI* api, wmfPolyPoly_t* polygons) {
    QPainterPath path;
    for (unsigned i = 0; i < polygons->npoly; ++i) {
        if (polygons->pt[i] != nullptr) {
            path.addPolygon(polygonOf(polygons->pt[i], polygons->count[i]));
            path.closeSubpath();
        }
    }
    paintShape(deviceOf(api), polygons->dc, path, true);
}

void drawRectangle(wmfAPI* api, wmfDrawRectangle_t* rectangle) {
    QPainterPath path;
    const QRectF box = rectOf(rectangle->TL, rectangle->BR);
    // width and height are the axes of the corner ellipses; zero for square corners.
    path.addRoundedRect(box, rectangle->width / 2, rectangle->height / 2);
    paintShape(deviceOf(api), rectangle->dc, path, true);
}

// Pattern fills of a rectangle; the raster operations a preview can show are kept.
void drawRop(wmfAPI* api, wmfROP_Draw_t* rop) {
    WmfDevice& device = deviceOf(api);
    const QRectF box = rectOf(rop->TL, rop->BR);
    switch (rop->ROP) {
        case BLACKNESS:
            device.painter().fillRect(box, Qt::black);
            break;
        case WHITENESS:
            device.painter().fillRect(box, Qt::white);
            break;
        case DSTINVERT:
            break;
        default:
            device.painter().fillRect(box, brushOf(device, rop->dc));
            break;
    }
}

QPainter::CompositionMode compositionOf(unsigned long rop) {
    switch (rop) {
        case SRCAND:
            return QPainter::RasterOp_SourceAndDestination;
        case SRCPAINT:
            return QPainter::RasterOp_SourceOrDestination;
        case SRCINVERT:
            return QPainter::RasterOp_SourceXorDestination;
        default:
            return QPainter::CompositionMode_SourceOver;
    }
}

// The crop is counted in bitmap pixels with rows from the bottom, as in the DIB itself.
void drawBitmap(wmfAPI* api, wmfBMP_Draw_t* draw) {
    WmfDevice& device = deviceOf(api);
    const QImage* bitmap = device.bitmap(draw->bmp.data);
    if (bitmap == nullptr) {
        return;
    }
    const QRect source(draw->crop.x, bitmap->height() - draw->crop.y - draw->crop.h, draw->crop.w,
                       draw->crop.h);
    const QSizeF size(draw->crop.w * draw->pixel_width, draw->crop.h * draw->pixel_height);
    QPainter& painter = device.painter();
    painter.setCompositionMode(compositionOf(draw->type));
    painter.drawImage(QRectF(pointOf(draw->pt), size), *bitmap, source.intersected(bitmap->rect()));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void readBitmap(wmfAPI* api, wmfBMP_Read_t* read) {
    read->bmp = wmfBMP{0, 0, nullptr};
    const std::optional<QImage> decoded =
        DibReader::read(read->buffer, read->length, WmfDevice::MaxBitmapPixels);
    if (!decoded || decoded->width() > MaxBitmapSide || decoded->height() > MaxBitmapSide) {
        return;
    }
    if (const QImage* kept = deviceOf(api).keepBitmap(*decoded)) {
        read->bmp.width = static_cast<U16>(kept->width());
        read->bmp.height = static_cast<U16>(kept->height());
        read->bmp.data = const_cast<QImage*>(kept);
    }
}

// A brush made from a bitmap may outlive the player's free call, so bitmaps stay with the
// device until it ends.
void freeBitmap(wmfAPI*, wmfBMP*) {}

QFont fontOf(const wmfFont* font) {
    QFont result(font->lfFaceName != nullptr ? QString::fromLatin1(font->lfFaceName) : QString());
    result.setPixelSize(int(ReferencePixels));
    // Weight 0 means the face's normal weight.
    result.setWeight(font->lfWeight == 0
                         ? QFont::Normal
                         : QFont::Weight(std::clamp(int(font->lfWeight), 100, 900)));
    result.setItalic(font->lfItalic != 0);
    result.setUnderline(font->lfUnderline != 0);
    result.setStrikeOut(font->lfStrikeOut != 0);
    return result;
}

void mapFont(wmfAPI*, wmfFont*) {}

// The player's alignment needs the text's width at a size of one.
float measureText(wmfAPI*, wmfFont* font, char* text) {
    if (text == nullptr) {
        return 0;
    }
    const QFontMetricsF metrics(fontOf(font));
    return float(metrics.horizontalAdvance(QString::fromLatin1(text)) / ReferencePixels);
}

// pt is the start of the base line; the text turns by the font's escapement.
void drawText(wmfAPI* api, wmfDrawText_t* text) {
    const double height = text->font_height;
    if (text->str == nullptr || !std::isfinite(height) || height <= 0) {
        return;
    }
    const wmfDC* dc = text->dc;
    const QFont font = fontOf(dc->font);
    const QFontMetricsF metrics(font);
    const QString string = QString::fromLatin1(text->str);
    double stretch = 1.0;
    if (dc->font->lfWidth != 0 && metrics.averageCharWidth() > 0) {
        stretch =
            std::clamp(text->font_ratio * ReferencePixels / metrics.averageCharWidth(), 0.1, 10.0);
    }
    QTransform place;
    place.translate(text->pt.x, text->pt.y);
    place.rotate(-dc->font->lfEscapement / 10.0);
    place.scale(stretch * height / ReferencePixels, height / ReferencePixels);
    QPainter& painter = deviceOf(api).painter();
    if (WMF_DC_OPAQUE(dc)) {
        const QRectF cell(0, -metrics.ascent(), metrics.horizontalAdvance(string),
                          metrics.height());
        QPainterPath background;
        background.addRect(cell);
        painter.fillPath(place.map(background), colourOf(dc->bgcolor));
    }
    QPainterPath glyphs;
    glyphs.addText(0, 0, font, string);
    painter.fillPath(place.map(glyphs), colourOf(dc->textcolor));
}

QPainterPath rectanglesOf(const wmfPolyRectangle_t* rectangles) {
    QPainterPath path;
    for (unsigned i = 0; i < rectangles->count; ++i) {
        path.addRect(rectOf(rectangles->TL[i], rectangles->BR[i]));
    }
    return path;
}

void paintRegion(wmfAPI* api, wmfPolyRectangle_t* region) {
    WmfDevice& device = deviceOf(api);
    device.painter().fillPath(rectanglesOf(region), brushOf(device, region->dc));
}

void frameRegion(wmfAPI* api, wmfPolyRectangle_t* region) {
    WmfDevice& device = deviceOf(api);
    const QBrush brush = brushOf(device, region->dc);
    for (unsigned i = 0; i < region->count; ++i) {
        const QRectF outer = rectOf(region->TL[i], region->BR[i]);
        QPainterPath frame;
        frame.addRect(outer);
        frame.addRect(
            outer.adjusted(region->width, region->height, -region->width, -region->height));
        frame.setFillRule(Qt::OddEvenFill);
        device.painter().fillPath(frame, brush);
    }
}

// No rectangles lifts the clipping.
void clipRegion(wmfAPI* api, wmfPolyRectangle_t* region) {
    QPainter& painter = deviceOf(api).painter();
    if (region->count == 0) {
        painter.setClipping(false);
        return;
    }
    painter.setClipPath(rectanglesOf(region));
}

void setDrawingFunctions(wmfFunctionReference* functions) {
    functions->draw_pixel = drawPixel;
    functions->draw_pie = drawPie;
    functions->draw_chord = drawChord;
    functions->draw_arc = drawArc;
    functions->draw_ellipse = drawEllipse;
    functions->draw_line = drawLine;
    functions->poly_line = drawPolyLine;
    functions->draw_polygon = drawPolygon;
    functions->draw_polypolygon = drawPolyPolygon;
    functions->draw_rectangle = drawRectangle;
    functions->rop_draw = drawRop;
    functions->bmp_draw = drawBitmap;
    functions->bmp_read = readBitmap;
    functions->bmp_free = freeBitmap;
    functions->draw_text = drawText;
    functions->region_frame = frameRegion;
    functions->region_paint = paintRegion;
    functions->region_clip = clipRegion;
}

}  // namespace

void WmfDevice::install(wmfAPI* api) {
    setDrawingFunctions(static_cast<wmfFunctionReference*>(api->function_reference));
    auto* fonts = static_cast<wmfFontData*>(wmf_malloc(api, sizeof(wmfFontData)));
    if (fonts == nullptr) {
        return;  // wmf_malloc has set the error that ends wmf_lite_create
    }
    fonts->map = mapFont;
    fonts->stringwidth = measureText;
    fonts->user_data = nullptr;
    api->font_data = fonts;
}

bool WmfDevice::begin(const QSize& size, const QRectF& frame) {
    canvas_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
    if (canvas_.isNull() || frame.isEmpty()) {
        return false;
    }
    canvas_.fill(Qt::transparent);
    if (!painter_.begin(&canvas_)) {
        return false;
    }
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.scale(size.width() / frame.width(), size.height() / frame.height());
    painter_.translate(-frame.topLeft());
    return true;
}

QImage WmfDevice::finish() {
    painter_.end();
    return canvas_;
}

const QImage* WmfDevice::keepBitmap(QImage bitmap) {
    const qint64 pixels = qint64{bitmap.width()} * bitmap.height();
    if (pixels > MaxBitmapPixels - bitmapPixels_) {
        return nullptr;
    }
    bitmapPixels_ += pixels;
    bitmaps_.push_back(std::make_unique<QImage>(std::move(bitmap)));
    return bitmaps_.back().get();
}

const QImage* WmfDevice::bitmap(const void* handle) const {
    const auto kept = std::find_if(bitmaps_.begin(), bitmaps_.end(),
                                   [handle](const auto& bitmap) { return bitmap.get() == handle; });
    return kept != bitmaps_.end() ? kept->get() : nullptr;
}
