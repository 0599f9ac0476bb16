#include "FolderNames.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "FolderLocation.h"

const QString FolderNames::DocumentsName = QStringLiteral("Eigene Dateien");
const QString FolderNames::DesktopName = QStringLiteral("Desktop");

namespace {

QString parsedPath(const QString& text) {
    if (FolderLocation::isVirtualPath(text)) {
        const auto location = FolderLocation::parse(text);
        return location ? location->path() : text;
    }
    if (text.contains(QChar(0)) || !QDir::isAbsolutePath(text) || !QFileInfo::exists(text)) {
        return text;
    }
    return QDir::cleanPath(text);
}

}  // namespace

bool FolderNames::isSpecialName(const QString& text) {
    return text == DocumentsName || text == DesktopName;
}

QString FolderNames::normalise(const QString& text) {
    if (text == DocumentsName) {
        return withoutTrailingDelimiter(documentsFolder());
    }
    if (text == DesktopName) {
        return withoutTrailingDelimiter(desktopFolder());
    }
    return withoutTrailingDelimiter(parsedPath(text));
}

QString FolderNames::documentsFolder() {
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

QString FolderNames::desktopFolder() {
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
}

QString FolderNames::lastComponent(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString FolderNames::withoutTrailingDelimiter(const QString& text) {
    // The root keeps its only delimiter: without it, it would name no folder at all.
    if (text.size() > 1 && text.endsWith(QLatin1Char('/'))) {
        return text.left(text.size() - 1);
    }
    return text;
}
