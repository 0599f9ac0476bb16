#include "FolderLocation.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
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
const QByteArray NativeRoot = QByteArrayLiteral("/");

bool isSameVirtualPath(const QString& text, const QString& virtualPath) {
    return text.compare(virtualPath, Qt::CaseInsensitive) == 0;
}

}  // namespace

FolderLocation FolderLocation::computer() {
    return virtualFolder(ComputerPath);
}

FolderLocation FolderLocation::virtualFolder(const QString& path) {
    return FolderLocation(path, QByteArray(), QByteArray());
}

FolderLocation FolderLocation::fromNative(const QByteArray& native, const QByteArray& volume) {
    return FolderLocation(QFile::decodeName(native), native, volume);
}

bool FolderLocation::isVirtualPath(const QString& path) {
    return path.startsWith(QStringLiteral("::{"));
}

std::optional<FolderLocation> FolderLocation::parse(const QString& text) {
    if (isSameVirtualPath(text, ComputerPath)) {
        return virtualFolder(ComputerPath);
    }
    if (isSameVirtualPath(text, NetworkPath)) {
        return virtualFolder(NetworkPath);
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
    return fromNative(QFile::encodeName(QDir::cleanPath(text)), NativeRoot);
}

bool FolderLocation::exists() const {
    struct stat status {};
    return isVirtual() || (::stat(native_.constData(), &status) == 0 && S_ISDIR(status.st_mode));
}

int FolderLocation::depth() const {
    if (isVirtual()) {
        return 1;
    }
    if (native_ == volume_) {
        return 2;
    }
    const qsizetype volumeSlashes = volume_ == NativeRoot ? 0 : volume_.count('/');
    return 2 + static_cast<int>(native_.count('/') - volumeSlashes);
}

FolderLocation FolderLocation::parent() const {
    if (isVirtual()) {
        return *this;
    }
    if (native_ == volume_ || native_ == NativeRoot) {
        return computer();
    }
    const qsizetype slash = native_.lastIndexOf('/');
    return fromNative(slash <= 0 ? NativeRoot : native_.left(slash), volume_);
}

FolderLocation FolderLocation::child(const QByteArray& fileName) const {
    const QByteArray path = itemPath(fileName);
    return fromNative(path, isVirtual() ? path : volume_);
}

QByteArray FolderLocation::itemPath(const QByteArray& fileName) const {
    if (isVirtual()) {
        return fileName;
    }
    if (native_ == NativeRoot) {
        return NativeRoot + fileName;
    }
    return native_ + '/' + fileName;
}

QByteArray FolderLocation::nativeName() const {
    if (isVirtual() || native_ == volume_) {
        return native_;
    }
    return native_.mid(native_.lastIndexOf('/') + 1);
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
