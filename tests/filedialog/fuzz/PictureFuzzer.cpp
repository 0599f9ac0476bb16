// libFuzzer entry for the preview's readers beyond JPEG: BMP and ICO with Qt's readers, WMF with
// libwmf's player painting through our device, EMF with libemf2svg behind the record check. Any
// bytes must be drawn or refused safely, and a drawn picture stays within the pixel bound.
#include <QGuiApplication>
#include <cstdint>

#include "PictureInput.h"
#include "PictureLoader.h"

namespace {

// Qt's readers warn about every damaged picture; at fuzzing speed that only floods the log.
void DropMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Metafile text is set with Qt's fonts, which need the application; no display is used.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    qInstallMessageHandler(DropMessage);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString extension = PictureInput::extension(input);
    if (extension.isEmpty()) {
        return 0;
    }
    const std::optional<QImage> picture =
        PictureLoader::decode(PictureInput::file(input), extension);
    if (picture && (picture->isNull() ||
                    qint64(picture->width()) * picture->height() > PictureLoader::MaxPixels)) {
        __builtin_trap();
    }
    return 0;
}
