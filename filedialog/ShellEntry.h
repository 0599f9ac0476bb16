// One row of the file list. Enumeration fills only the names and the folder flag; the details
// are fetched when the list first shows the row, and only then.
#pragma once

#include <QByteArray>
#include <QIcon>
#include <QString>
#include <QtGlobal>

struct EntryDetails {
    enum Attribute : quint8 {
        ReadOnly = 0x01,  // the user may not write the item
        Hidden = 0x02,    // its name starts with a dot
        System = 0x04,    // neither a regular file nor a folder: device, socket, pipe
    };

    QIcon icon;
    QString typeName;
    QString modified;
    qint64 size = 0;
    quint8 attributes = 0;
};

struct ShellEntry {
    // As shown: the base name as it is, the extension in lower case.
    QString name;
    // The bytes on disk; the row's actions use them. Rows of the computer folder hold the
    // volume's path.
    QByteArray fileName;
    bool isFolder = false;
    bool detailsPending = true;
    EntryDetails details;
};
