#include "FileEntryDetails.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QLocale>
#include <QRegularExpression>

namespace {

// The locale's long time names its time zone; the list shows the wall-clock time only.
QString timeFormatWithoutZone(const QLocale& locale) {
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*\\bt+\\b\\s*")));
    return format.trimmed();
}

bool statItem(const QByteArray& path, struct stat* status) {
    return ::stat(path.constData(), status) == 0 || ::lstat(path.constData(), status) == 0;
}

quint8 attributesOf(const QByteArray& path, const QString& name, unsigned fileMode) {
    quint8 attributes = 0;
    if (::access(path.constData(), W_OK) != 0) {
        attributes |= EntryDetails::ReadOnly;
    }
    if (name.startsWith(QLatin1Char('.'))) {
        attributes |= EntryDetails::Hidden;
    }
    if (!S_ISREG(fileMode) && !S_ISDIR(fileMode)) {
        attributes |= EntryDetails::System;
    }
    return attributes;
}

QString specialMimeName(unsigned fileMode) {
    if (S_ISFIFO(fileMode)) {
        return QStringLiteral("inode/fifo");
    }
    if (S_ISSOCK(fileMode)) {
        return QStringLiteral("inode/socket");
    }
    if (S_ISCHR(fileMode)) {
        return QStringLiteral("inode/chardevice");
    }
    if (S_ISBLK(fileMode)) {
        return QStringLiteral("inode/blockdevice");
    }
    return QStringLiteral("inode/symlink");
}

}  // namespace

FileEntryDetails::FileEntryDetails()
    : dateFormat_(QLocale().dateFormat(QLocale::ShortFormat)),
      timeFormat_(timeFormatWithoutZone(QLocale())) {}

EntryDetails FileEntryDetails::fetch(const QString& path, bool isFolder) const {
    return fetch(QFile::encodeName(path), isFolder);
}

EntryDetails FileEntryDetails::fetch(const QByteArray& encoded, bool isFolder) const {
    const QString path = QFile::decodeName(encoded);
    struct stat status {};
    if (!statItem(encoded, &status)) {
        return fetchVanished(path, isFolder);
    }
    EntryDetails details;
    const unsigned mode = status.st_mode;
    details.icon = iconFor(path, mode);
    details.typeName = mimeTypeFor(path, mode).comment();
    details.size = S_ISREG(mode) ? static_cast<qint64>(status.st_size) : 0;
    if (status.st_mtim.tv_sec != 0) {
        details.modified = formatModified(QDateTime::fromSecsSinceEpoch(status.st_mtim.tv_sec));
    }
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    details.attributes = attributesOf(encoded, name, mode);
    return details;
}

EntryDetails FileEntryDetails::fetchVanished(const QString& path, bool isFolder) const {
    EntryDetails details;
    details.icon = iconProvider_.icon(isFolder ? QAbstractFileIconProvider::Folder
                                               : QAbstractFileIconProvider::File);
    details.typeName =
        isFolder ? mimeDatabase_.mimeTypeForName(QStringLiteral("inode/directory")).comment()
                 : mimeDatabase_.mimeTypeForFile(path, QMimeDatabase::MatchExtension).comment();
    return details;
}

QMimeType FileEntryDetails::mimeTypeFor(const QString& path, unsigned fileMode) const {
    if (S_ISDIR(fileMode)) {
        return mimeDatabase_.mimeTypeForName(QStringLiteral("inode/directory"));
    }
    if (!S_ISREG(fileMode)) {
        // Sniffing the content of a pipe or device could block the dialog.
        return mimeDatabase_.mimeTypeForName(specialMimeName(fileMode));
    }
    return mimeDatabase_.mimeTypeForFile(path);
}

QIcon FileEntryDetails::iconFor(const QString& path, unsigned fileMode) const {
    if (!S_ISREG(fileMode) && !S_ISDIR(fileMode)) {
        return iconProvider_.icon(QAbstractFileIconProvider::File);
    }
    return iconProvider_.icon(QFileInfo(path));
}

QString FileEntryDetails::formatModified(const QDateTime& modified) const {
    if (!modified.isValid() || modified.toSecsSinceEpoch() == 0) {
        return QString();
    }
    const QDateTime local = modified.toLocalTime();
    const QString date = QLocale().toString(local.date(), dateFormat_);
    if (local.time() == QTime(0, 0)) {
        return date;
    }
    return date + QLatin1Char(' ') + QLocale().toString(local.time(), timeFormat_);
}

QString FileEntryDetails::attributeLetters(quint8 attributes) {
    QString letters;
    if (attributes & EntryDetails::ReadOnly) {
        letters += QLatin1Char('R');
    }
    if (attributes & EntryDetails::Hidden) {
        letters += QLatin1Char('H');
    }
    if (attributes & EntryDetails::System) {
        letters += QLatin1Char('S');
    }
    return letters;
}

QString FileEntryDetails::sizeText(qint64 size) {
    return QString::number(size);
}
