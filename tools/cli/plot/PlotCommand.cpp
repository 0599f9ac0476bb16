#include "PlotCommand.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QSvgGenerator>
#include <memory>

#include "PlotPainter.h"
#include "Recording.h"

namespace {

constexpr int ExitDone = 0;
constexpr int ExitFailed = 1;

// Fonts need an application; drawing a file needs no screen, so none is looked for.
std::unique_ptr<QGuiApplication> ApplicationForPainting() {
    if (QCoreApplication::instance() != nullptr) {
        return nullptr;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's remarks about the session (no runtime folder, no fonts configured) are not the
    // user's business; what went wrong with the picture is said in plain words.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int argc = 1;
    static char name[] = "kalvio-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

// An empty text is no bound; a time without an offset is local time.
bool ReadTime(const std::string& text, QDateTime& time) {
    if (text.empty()) {
        return true;
    }
    time = QDateTime::fromString(QString::fromStdString(text), Qt::ISODateWithMs);
    return time.isValid();
}

bool WritePng(const QString& path, const PlotPainter& plot) {
    QImage image(PlotPainter::PictureSize, QImage::Format_RGB32);
    QPainter painter(&image);
    plot.Paint(painter);
    painter.end();
    return image.save(path, "PNG");
}

bool WriteSvg(const QString& path, const PlotPainter& plot, const QString& title) {
    QSvgGenerator generator;
    generator.setFileName(path);
    generator.setSize(PlotPainter::PictureSize);
    generator.setViewBox(QRect(QPoint(0, 0), PlotPainter::PictureSize));
    generator.setTitle(title);
    QPainter painter;
    if (!painter.begin(&generator)) {
        return false;
    }
    plot.Paint(painter);
    return painter.end();
}

}  // namespace

int PlotRecording(const CliArguments& arguments, std::ostream& out) {
    const auto application = ApplicationForPainting();
    QDateTime from;
    QDateTime to;
    if (!ReadTime(arguments.from, from) || !ReadTime(arguments.to, to)) {
        out << "A time is written like 2026-12-09T07:30 or 2026-12-09T07:30:15+01:00.\n";
        return ExitFailed;
    }
    QString problem;
    const QString file = QString::fromStdString(arguments.file);
    const std::optional<Recording> recording = Recording::Read(file, from, to, problem);
    if (!recording) {
        out << "Could not read " << arguments.file << ": " << problem.toStdString() << ".\n";
        return ExitFailed;
    }
    if (recording->rows.empty()) {
        out << arguments.file << " holds no line in that time; nothing was drawn.\n";
        return ExitFailed;
    }
    const QString title = QFileInfo(file).fileName();
    const PlotPainter plot(*recording, title);
    const QString picture = QString::fromStdString(arguments.out);
    const bool svg = picture.endsWith(QStringLiteral(".svg"));
    if (!(svg ? WriteSvg(picture, plot, title) : WritePng(picture, plot))) {
        out << "Could not write " << arguments.out << ".\n";
        return ExitFailed;
    }
    out << "Drew " << recording->rows.size() << " lines of " << arguments.file << " into "
        << arguments.out << ".\n";
    if (recording->skippedLines > 0) {
        out << "Left out " << recording->skippedLines << " lines that are not recording lines.\n";
    }
    if (recording->truncated) {
        out << "The recording has more than " << Recording::MostRows
            << " lines in that time; only the first ones were drawn (narrow it with --from and "
               "--to).\n";
    }
    return ExitDone;
}
