#include "StoreFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

constexpr qint64 MaximumHiddenListBytes = 64 * 1024;
const QString HiddenListName = QStringLiteral(".hidden");

}  // namespace

QString StoreFolder::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/kalvio/store/");
}

int StoreFolder::prepare(const QString& folder, QString* result) {
    if (folder.isEmpty()) {
        return -1;
    }
    const QString trimmed = folder.endsWith(QLatin1Char('/')) ? folder.chopped(1) : folder;
    if (trimmed.isEmpty()) {
        return -2;
    }
    // A relative folder would land wherever the process happens to run.
    if (trimmed.contains(QChar(0)) || !QDir::isAbsolutePath(trimmed) || !QDir().mkpath(trimmed)) {
        return -3;
    }
    const QString clean = QDir::cleanPath(trimmed);
    if (!hide(clean)) {
        return -4;
    }
    *result = clean + QLatin1Char('/');
    return 0;
}

bool StoreFolder::hide(const QString& folder) {
    const QFileInfo info(folder);
    const QByteArray name = QFile::encodeName(info.fileName());
    const QString listPath = info.dir().filePath(HiddenListName);
    QByteArray content;
    QFile existing(listPath);
    if (existing.exists()) {
        if (!QFileInfo(listPath).isFile() || existing.size() > MaximumHiddenListBytes ||
            !existing.open(QIODevice::ReadOnly)) {
            return false;
        }
        content = existing.read(MaximumHiddenListBytes);
    }
    if (content.split('\n').contains(name)) {
        return true;
    }
    if (!content.isEmpty() && !content.endsWith('\n')) {
        content += '\n';
    }
    QSaveFile list(listPath);
    return list.open(QIODevice::WriteOnly) && list.write(content + name + '\n') >= 0 &&
           list.commit();
}
