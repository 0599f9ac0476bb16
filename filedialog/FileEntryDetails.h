// Fetches what the list shows beside a row's name: icon, type name, size, modification time and
// attribute letters. Used once per row, for the rows the list actually shows.
#pragma once

#include <QDateTime>
#include <QFileIconProvider>
#include <QMimeDatabase>
#include <QString>

#include "ShellEntry.h"

class FileEntryDetails {
  public:
    FileEntryDetails();

    // path is the item's full path; an item that vanished yields empty details, never an error.
    EntryDetails fetch(const QString& path, bool isFolder) const;
    // The same for a path given as the bytes on disk.
    EntryDetails fetch(const QByteArray& nativePath, bool isFolder) const;
    // The locale's short date and long time without its zone; the time is left out at exactly
    // midnight, and a zero time gives an empty text.
    QString formatModified(const QDateTime& modified) const;
    static QString attributeLetters(quint8 attributes);
    static QString sizeText(qint64 size);

  private:
    EntryDetails fetchVanished(const QString& path, bool isFolder) const;
    QMimeType mimeTypeFor(const QString& path, unsigned fileMode) const;
    QIcon iconFor(const QString& path, unsigned fileMode) const;

    QMimeDatabase mimeDatabase_;
    QFileIconProvider iconProvider_;
    QString dateFormat_;
    QString timeFormat_;
};
