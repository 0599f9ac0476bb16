#include "FolderLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

const QString FolderLocation::ComputerPath =
    QStringLiteral("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
const QString FolderLocation::NetworkPath =
    QStringLiteral("::{208D2C60-3AEA-1069-A2D7-08002B30309D}");
const QString FolderLocation::DocumentsPath =
    QStringLiteral("::{450D8FBA-AD25-11D0-98A8-0800361B1103}");

namespace {

const QString RootPath = QStringLiteral("/");

bool isSameVirtualPath(const QString& text, const QString& virtualPath) {
    return text.compare(virtualPath, Qt::CaseInsensitive) == 0;
}

}  // namespace

FolderLocation FolderLocation::computer() {
    return FolderLocation(ComputerPath);
}

bool FolderLocation::isVirtualPath(const QString& path) {
    return path.startsWith(QStringLiteral("::{"));
}

std::optional<FolderLocation> FolderLocation::parse(const QString& text) {
    if (isSameVirtualPath(text, ComputerPath)) {
        return FolderLocation(ComputerPath);
    }
    if (isSameVirtualPath(text, NetworkPath)) {
        return FolderLocation(NetworkPath);
    }
    if (isSameVirtualPath(text, DocumentsPath)) {
        return parse(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    }
    if (text.isEmpty() || text.contains(QChar(0)) || !QDir::isAbsolutePath(text)) {
        return std::nullopt;
    }
    if (!QFileInfo(text).isDir()) {
        return std::nullopt;
    }
    return FolderLocation(QDir::cleanPath(text));
}

int FolderLocation::depth() const {
    if (isVirtual()) {
        return 1;
    }
    if (path_ == RootPath) {
        return 2;
    }
    return 2 + static_cast<int>(path_.count(QLatin1Char('/')));
}

FolderLocation FolderLocation::parent() const {
    if (isVirtual()) {
        return *this;
    }
    if (path_ == RootPath) {
        return computer();
    }
    const qsizetype slash = path_.lastIndexOf(QLatin1Char('/'));
    return FolderLocation(slash <= 0 ? RootPath : path_.left(slash));
}

FolderLocation FolderLocation::child(const QString& fileName) const {
    return FolderLocation(itemPath(fileName));
}

QString FolderLocation::itemPath(const QString& fileName) const {
    if (isVirtual()) {
        return fileName;
    }
    if (path_ == RootPath) {
        return RootPath + fileName;
    }
    return path_ + QLatin1Char('/') + fileName;
}

QString FolderLocation::displayName() const {
    if (path_ == ComputerPath) {
        return QStringLiteral("Computer");
    }
    if (path_ == NetworkPath) {
        return QStringLiteral("Netzwerk");
    }
    if (path_ == RootPath) {
        return RootPath;
    }
    return path_.mid(path_.lastIndexOf(QLatin1Char('/')) + 1);
}
