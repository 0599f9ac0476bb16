// Time and added memory to open a big folder and show its first screen of rows, for one
// contender per process so that each memory figure is its own:
//
//   filedialog_bench ours|ours-details|qt|readdir <folder> [extension]
//   filedialog_bench preview <folder>
//
// ours    - the system's file dialog, open mode, prepared as the system's callers prepare it
//           (list view, which re-reads the folder on show)
// ours-details - the same in the details view
// qt      - Qt's QFileDialog (non-native, details view, same filter)
// readdir - a bare readdir of the folder keeping the matching names
//
// Prints one line: contender, rows listed, milliseconds, added resident memory in KiB. The
// clock starts after the application object exists and stops when the first screen of rows
// has been painted (for the dialogs) or the folder has been read (for readdir).
//
// preview - writes a 24-megapixel JPEG and a metafile of about 14 MB into the folder, selects
//           each in the dialog and prints, per picture, the time until its thumbnail shows and
//           the longest the GUI thread went without running its events meanwhile (a 5 ms
//           heartbeat timer's longest gap); then the same for the JPEG's large preview.
#include <dirent.h>
#include <strings.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTreeView>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "FolderListing.h"
#include "PreviewBench.h"
#include "ProcessingWait.h"
#include "TForm_FileDialog.h"
#include "VirtualListModel.h"
#include "VirtualListView.h"

namespace {

long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

// Counts the paints of a view's viewport, so the clock stops when rows are on screen.
class PaintWatch : public QObject {
  public:
    explicit PaintWatch(QWidget* viewport) { viewport->installEventFilter(this); }
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return false;
    }
};

bool processUntil(const std::function<bool()>& condition) {
    return WaitProcessingEvents(condition, 120000);
}

// initialView -1 keeps the list view the dialog starts with, as the system's callers do; the
// list view re-reads the folder when the dialog is shown.
int runOurs(const QString& folder, const QString& extension, int initialView) {
    TForm_FileDialog dialog;
    dialog.SetHomeEntry(0, QString(), folder, folder);
    dialog.SetHomeEntry(1, QString(), QString(), QString());
    dialog.Prepare(QStringLiteral("Bench"), extension, FolderListing::DefaultFlags, initialView,
                   127, TForm_FileDialog::OpenMode, QString(), 0);
    PaintWatch watch(dialog.list()->activeView()->viewport());
    dialog.show();
    const VirtualListModel* model = dialog.listModel();
    processUntil([&] { return watch.paints > 0 && model->fetchedDetailsCount() > 0; });
    return model->rowCount();
}

int runQt(const QString& folder, const QString& extension, int expectedRows) {
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setViewMode(QFileDialog::Detail);
    dialog.setNameFilter(QStringLiteral("*.") + extension);
    dialog.setDirectory(folder);
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    auto* model = dialog.findChild<QFileSystemModel*>();
    if (view == nullptr || model == nullptr) {
        return -1;
    }
    PaintWatch watch(view->viewport());
    bool loaded = false;
    QObject::connect(model, &QFileSystemModel::directoryLoaded, &dialog,
                     [&](const QString& path) { loaded = loaded || path == folder; });
    dialog.show();
    const QModelIndex root = model->index(folder);
    processUntil([&] { return loaded && model->rowCount(root) >= expectedRows; });
    const int paintsBefore = watch.paints;
    processUntil([&] { return watch.paints > paintsBefore; });
    return model->rowCount(root);
}

int runReaddir(const QString& folder, const QString& extension) {
    const QByteArray wanted = QByteArray(".") + extension.toUtf8();
    std::vector<std::string> names;
    DIR* directory = opendir(QFile::encodeName(folder).constData());
    if (directory == nullptr) {
        return -1;
    }
    while (const dirent* item = readdir(directory)) {
        const char* dot = std::strrchr(item->d_name, '.');
        if (dot != nullptr && strcasecmp(dot, wanted.constData()) == 0) {
            names.emplace_back(item->d_name);
        }
    }
    closedir(directory);
    return static_cast<int>(names.size());
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: %s ours|ours-details|qt|readdir <folder> [extension]\n"
                     "       %s preview <folder>\n",
                     argv[0], argv[0]);
        return 2;
    }
    const std::string contender = argv[1];
    const QString folder = QFile::decodeName(argv[2]);
    const QString extension = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("txt");
    QApplication application(argc, argv);
    QCoreApplication::processEvents();
    if (contender == "preview") {
        return runPreviewBench(folder);
    }
    // Qt's dialog fills its model in the background; the readdir count says when it is done.
    const int expectedRows = contender == "qt" ? runReaddir(folder, extension) : 0;

    const long before = residentKiB();
    QElapsedTimer clock;
    clock.start();
    int rows = -1;
    if (contender == "ours") {
        rows = runOurs(folder, extension, -1);
    } else if (contender == "ours-details") {
        rows = runOurs(folder, extension, TForm_FileDialog::ReportView);
    } else if (contender == "qt") {
        rows = runQt(folder, extension, expectedRows);
    } else if (contender == "readdir") {
        rows = runReaddir(folder, extension);
    }
    const double milliseconds = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    const long after = residentKiB();
    std::printf("%-12s rows %6d  %9.1f ms  %8ld KiB added\n", contender.c_str(), rows, milliseconds,
                after - before);
    return rows < 0 ? 1 : 0;
}
