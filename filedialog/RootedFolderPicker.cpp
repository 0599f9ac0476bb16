#include "RootedFolderPicker.h"

#include <QFileInfo>
#include <QUrl>

RootedFolderPicker::RootedFolderPicker(const QString& root, QWidget* parent)
    : QFileDialog(parent, QString(), root), root_(root) {
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::ShowDirsOnly);
    setFileMode(QFileDialog::Directory);
    setAcceptMode(QFileDialog::AcceptOpen);
    setSidebarUrls({QUrl::fromLocalFile(root)});
    // The folder mode brings a caption of its own; the picker has none.
    setWindowTitle(QString());
    connect(this, &QFileDialog::directoryEntered, this, &RootedFolderPicker::keepInsideRoot);
}

QString RootedFolderPicker::pick(const QString& root, QWidget* parent) {
    RootedFolderPicker picker(root, parent);
    if (picker.exec() != QDialog::Accepted) {
        return QString();
    }
    const QStringList picked = picker.selectedFiles();
    return picked.isEmpty() ? QString() : picked.first();
}

bool RootedFolderPicker::isAtOrBelow(const QString& path, const QString& root) {
    const QString realRoot = QFileInfo(root).canonicalFilePath();
    const QString realPath = QFileInfo(path).canonicalFilePath();
    if (realRoot.isEmpty() || realPath.isEmpty()) {
        return false;
    }
    return realPath == realRoot || realRoot == QLatin1String("/") ||
           realPath.startsWith(realRoot + QLatin1Char('/'));
}

void RootedFolderPicker::keepInsideRoot(const QString& entered) {
    if (!isAtOrBelow(entered, root_)) {
        setDirectory(root_);
    }
}

void RootedFolderPicker::accept() {
    const QStringList picked = selectedFiles();
    if (picked.isEmpty() || !isAtOrBelow(picked.first(), root_)) {
        setDirectory(root_);
        return;
    }
    QFileDialog::accept();
}
