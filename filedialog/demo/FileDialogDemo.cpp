// Shows the file dialog the way the system's callers do and prints the chosen path.
//
//   filedialog-demo [open|save|view] [folder] [extension] [default name] [initial view] [mask]
//
// The initial view is 0 icons, 1 list, 3 details; left out, the dialog keeps its view. The
// button mask defaults to the callers' 127 (navigation and views); "all" offers every tool,
// the file operations too.
//
// Without arguments it runs open, save and view-only in turn on the home folder with "txt".
#include <QApplication>
#include <QDir>
#include <QStringList>
#include <cstdio>

#include "ButtonMask.h"
#include "FileDialogError.h"
#include "FolderListing.h"
#include "TForm_FileDialog.h"

namespace {

struct DemoCall {
    quint8 mode;
    const char* caption;
};

quint8 modeOf(const QString& word) {
    if (word == QLatin1String("save")) {
        return TForm_FileDialog::SaveMode;
    }
    return word == QLatin1String("view") ? TForm_FileDialog::ViewMode : TForm_FileDialog::OpenMode;
}

int runOnce(TForm_FileDialog& dialog, const DemoCall& call, const QString& folder,
            const QString& extension, const QString& defaultName, int initialView, quint32 mask) {
    dialog.SetHomeEntry(0, QString(), folder, folder);
    dialog.SetHomeEntry(1, QString(), QString(), QString());
    dialog.SetBrowseEntry(0, QString(), folder, folder);
    dialog.SetBrowseEntry(1, QString(), QString(), QString());
    try {
        dialog.Prepare(QString::fromUtf8(call.caption), extension, FolderListing::DefaultFlags,
                       initialView, mask, call.mode, defaultName, 0);
    } catch (const FileDialogError& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        return 1;
    }
    dialog.SetStoreFolder(dialog.storeFolder());
    const bool chosen = dialog.exec() == QDialog::Accepted;
    std::printf("%s: %s\n", call.caption, chosen ? qPrintable(dialog.ResultPath()) : "(cancelled)");
    std::fflush(stdout);
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kalvio - Quenzel AG"));
    const QStringList arguments = QApplication::arguments().mid(1);
    const QString folder = arguments.value(1, QDir::homePath());
    const QString extension = arguments.value(2, QStringLiteral("txt"));
    const QString defaultName = arguments.value(3);
    bool viewGiven = false;
    const int view = arguments.value(4).toInt(&viewGiven);
    const int initialView = viewGiven ? view : -1;
    const QString maskWord = arguments.value(5, QStringLiteral("127"));
    const quint32 mask =
        maskWord == QLatin1String("all") ? ButtonMask::All : maskWord.toUInt(nullptr, 0);

    TForm_FileDialog dialog;
    if (!arguments.isEmpty()) {
        const DemoCall call{modeOf(arguments.first()), "Datei wählen"};
        return runOnce(dialog, call, folder, extension, defaultName, initialView, mask);
    }
    const DemoCall calls[] = {{TForm_FileDialog::OpenMode, "Öffnen"},
                              {TForm_FileDialog::SaveMode, "Speichern"},
                              {TForm_FileDialog::ViewMode, "Ansehen"}};
    for (const DemoCall& call : calls) {
        if (runOnce(dialog, call, folder, extension, defaultName, initialView, mask) != 0) {
            return 1;
        }
    }
    return 0;
}
