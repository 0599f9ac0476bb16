#include "PreviewBench.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "BenchPictures.h"
#include "FolderListing.h"
#include "ImagePreview.h"
#include "PictureView.h"
#include "ProcessingWait.h"
#include "TForm_FileDialog.h"
#include "VirtualListModel.h"
#include "VirtualListView.h"

namespace {

constexpr int HeartbeatMilliseconds = 5;
constexpr int GiveUpMilliseconds = 120000;

// Ticks every 5 ms on the GUI thread and keeps the longest time between two ticks: how long
// the thread was kept from its events.
class Heartbeat {
  public:
    Heartbeat() {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(HeartbeatMilliseconds);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            longestGap_ = std::max(longestGap_, since_.nsecsElapsed());
            since_.start();
        });
    }
    void restart() {
        longestGap_ = 0;
        since_.start();
        timer_.start();
    }
    double longestGapMilliseconds() {
        timer_.stop();
        return double(std::max(longestGap_, since_.nsecsElapsed())) / 1e6;
    }

  private:
    QTimer timer_;
    QElapsedTimer since_;
    qint64 longestGap_ = 0;
};

bool processUntil(const std::function<bool()>& condition) {
    return WaitProcessingEvents(condition, GiveUpMilliseconds);
}

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    }
}

int rowOf(const TForm_FileDialog& dialog, const QString& name) {
    const VirtualListModel* model = dialog.listModel();
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->entry(row).name == name) {
            return row;
        }
    }
    return -1;
}

void report(const char* what, const QString& name, bool shown, double milliseconds,
            double blocked) {
    std::printf("%-10s %-9s %s  %9.1f ms  GUI blocked at most %7.1f ms\n", what, qPrintable(name),
                shown ? "shown " : "FAILED", milliseconds, blocked);
    std::fflush(stdout);
}

// From the selection until the thumbnail shows a picture of the expected size (or the preview
// gave up on it).
bool measureThumbnail(TForm_FileDialog& dialog, Heartbeat& heartbeat, const QString& name,
                      const QSize& size) {
    auto* thumbnail = dialog.findChild<PictureView*>(QStringLiteral("Image_Vorschau"));
    const int row = rowOf(dialog, name);
    dialog.list()->selectRowAsUser(-1);
    processUntil([&] { return thumbnail->isHidden(); });
    heartbeat.restart();
    QElapsedTimer clock;
    clock.start();
    dialog.list()->selectRowAsUser(row);
    const bool settled = row >= 0 && processUntil([&] { return !dialog.preview()->isLoading(); });
    const bool shown = settled && thumbnail->isVisible() &&
                       (!size.isValid() || dialog.preview()->pictureSize() == size);
    const double milliseconds = double(clock.nsecsElapsed()) / 1e6;
    report("thumbnail", name, shown, milliseconds, heartbeat.longestGapMilliseconds());
    return shown;
}

// From the click on the thumbnail until the large image holds the whole picture.
bool measureLargePreview(TForm_FileDialog& dialog, Heartbeat& heartbeat, const QString& name,
                         const QSize& size) {
    auto* large = dialog.findChild<PictureView*>(QStringLiteral("Image_VorschauGross"));
    heartbeat.restart();
    QElapsedTimer clock;
    clock.start();
    dialog.findChild<QToolButton*>(QStringLiteral("SpeedButton_Vorschau"))->click();
    const bool shown = processUntil([&] { return !dialog.preview()->isLoading(); }) &&
                       large->picture().size() == size;
    const double milliseconds = double(clock.nsecsElapsed()) / 1e6;
    report("large", name, shown, milliseconds, heartbeat.longestGapMilliseconds());
    dialog.preview()->close();
    return shown;
}

}  // namespace

int runPreviewBench(const QString& folder) {
    const QSize photoSize(6000, 4000);
    write(folder + QStringLiteral("/photo.jpg"), bench_pictures::photo(photoSize));
    write(folder + QStringLiteral("/drawing.emf"), bench_pictures::busyMetafile(14 << 20));

    TForm_FileDialog dialog;
    dialog.SetHomeEntry(0, QString(), folder, folder);
    dialog.SetHomeEntry(1, QString(), QString(), QString());
    dialog.Prepare(QStringLiteral("Bench"), QStringLiteral("*"), FolderListing::DefaultFlags, -1,
                   127, TForm_FileDialog::OpenMode, QString(), 0);
    dialog.show();
    processUntil([&] { return dialog.isVisible() && dialog.listModel()->rowCount() == 2; });

    Heartbeat heartbeat;
    bool shown = measureThumbnail(dialog, heartbeat, QStringLiteral("photo.jpg"), photoSize);
    shown = measureThumbnail(dialog, heartbeat, QStringLiteral("drawing.emf"), QSize()) && shown;
    shown = measureThumbnail(dialog, heartbeat, QStringLiteral("photo.jpg"), photoSize) && shown;
    shown = measureLargePreview(dialog, heartbeat, QStringLiteral("photo.jpg"), photoSize) && shown;
    return shown ? 0 : 1;
}
