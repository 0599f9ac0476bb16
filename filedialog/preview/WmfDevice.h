// The device layer libwmf's player draws through when a metafile is previewed: each drawing call
// of the player, in its units (points), becomes a QPainter call on a canvas that covers the
// frame the player found while scanning. Bitmaps the player hands over are decoded here with
// Qt's BMP reader and kept until the device ends, within a pixel budget for the whole file.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <memory>
#include <vector>

typedef struct _wmfAPI wmfAPI;

class WmfDevice {
  public:
    // All bitmaps of one metafile together.
    static constexpr qint64 MaxBitmapPixels = qint64{64} << 20;

    // Gives the player this layer's drawing functions and text measuring; the options function
    // of wmf_lite_create. The API's device_data must point to a WmfDevice before playing.
    static void install(wmfAPI* api);

    WmfDevice() = default;
    WmfDevice(const WmfDevice&) = delete;
    WmfDevice& operator=(const WmfDevice&) = delete;

    // frame is in the player's units; it is mapped onto the whole canvas.
    bool begin(const QSize& size, const QRectF& frame);
    QImage finish();

    // For the drawing functions.
    QPainter& painter() { return painter_; }
    // Keeps a decoded bitmap for as long as the device lives; nullptr past the budget.
    const QImage* keepBitmap(QImage bitmap);
    // The bitmap behind a handle the player passes back, if this device made it.
    const QImage* bitmap(const void* handle) const;

  private:
    QImage canvas_;
    QPainter painter_;
    std::vector<std::unique_ptr<QImage>> bitmaps_;
    qint64 bitmapPixels_ = 0;
};
