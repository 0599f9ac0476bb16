#include "WmfRenderer.h"

#include <libwmf/api.h>

#include <QtEndian>

#include "MetafileCanvas.h"
#include "WmfDevice.h"

namespace {

// Quiet: no report reaches stdout or stderr, and records the player cannot draw are passed over.
constexpr unsigned long PlayerOptions =
    WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
constexpr quint32 PlaceableKey = 0x9AC6CDD7;
constexpr qsizetype PlaceableHeaderBytes = 22;
constexpr qsizetype StandardHeaderBytes = 18;
constexpr qsizetype LongestRecordAt = 12;
constexpr double PointsPerInch = 72.0;

// The standard header (memory or disk metafile, nine words, Windows 3.0 or later), behind the
// placeable header when there is one. The player sets aside room for the longest record the
// header announces before it reads any: a record longer than the whole file is refused here, so
// that a small file cannot make it take gigabytes.
bool hasMetafileHeader(const QByteArray& bytes) {
    qsizetype start = 0;
    if (bytes.size() >= 4 && qFromLittleEndian<quint32>(bytes.constData()) == PlaceableKey) {
        start = PlaceableHeaderBytes;
    }
    if (bytes.size() < start + StandardHeaderBytes) {
        return false;
    }
    const char* header = bytes.constData() + start;
    const quint16 type = qFromLittleEndian<quint16>(header);
    const quint16 headerWords = qFromLittleEndian<quint16>(header + 2);
    const quint16 version = qFromLittleEndian<quint16>(header + 4);
    const quint32 longestRecordWords = qFromLittleEndian<quint32>(header + LongestRecordAt);
    return (type == 1 || type == 2) && headerWords == 9 &&
           (version == 0x0100 || version == 0x0300) &&
           qint64{longestRecordWords} * 2 <= qint64{bytes.size()};
}

// The player reads its input byte by byte through these three functions.
struct Input {
    const unsigned char* data;
    long size;
    long position;
};

int readByte(void* context) {
    auto* input = static_cast<Input*>(context);
    return input->position < input->size ? input->data[input->position++] : -1;
}

int seekTo(void* context, long position) {
    auto* input = static_cast<Input*>(context);
    if (position < 0 || position > input->size) {
        return -1;
    }
    input->position = position;
    return 0;
}

long tellPosition(void* context) {
    return static_cast<Input*>(context)->position;
}

// Asked by the player after every record it plays; non-zero ends playing.
int limitReached(void* context, float) {
    return static_cast<const RenderLimit*>(context)->reached() ? 1 : 0;
}

// Releases the player and everything it allocated on every way out of render.
class PlayerHandle {
  public:
    explicit PlayerHandle(wmfAPI* api) : api_(api) {}
    ~PlayerHandle() { wmf_lite_destroy(api_); }
    PlayerHandle(const PlayerHandle&) = delete;
    PlayerHandle& operator=(const PlayerHandle&) = delete;

  private:
    wmfAPI* api_;
};

}  // namespace

std::optional<QImage> WmfRenderer::render(const QByteArray& bytes, const RenderLimit& limit) {
    if (bytes.size() > MaxFileBytes || !hasMetafileHeader(bytes)) {
        return std::nullopt;
    }
    WmfDevice device;
    wmfAPI* api = nullptr;
    wmfAPI_Options options{};
    options.function = &WmfDevice::install;
    if (wmf_lite_create(&api, PlayerOptions, &options) != wmf_E_None) {
        return std::nullopt;
    }
    // Declared after the device: the player lets go before the device it draws on ends.
    const PlayerHandle player(api);
    api->device_data = &device;
    Input input{reinterpret_cast<const unsigned char*>(bytes.constData()), long(bytes.size()), 0};
    wmf_status_function(api, const_cast<RenderLimit*>(&limit), limitReached);
    wmfD_Rect scanned{};
    if (wmf_bbuf_input(api, readByte, seekTo, tellPosition, &input) != wmf_E_None ||
        wmf_scan(api, 0, &scanned) != wmf_E_None) {
        return std::nullopt;
    }
    // The frame is what the records draw, in points.
    const QRectF frame(QPointF(scanned.TL.x, scanned.TL.y), QPointF(scanned.BR.x, scanned.BR.y));
    const std::optional<QSize> size =
        MetafileCanvas::sizeFor(frame.size() * (MetafileCanvas::ScreenDpi / PointsPerInch));
    if (!size || !device.begin(*size, frame) || wmf_play(api, 0, &scanned) != wmf_E_None) {
        return std::nullopt;
    }
    return device.finish();
}
