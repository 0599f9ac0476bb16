// Turns the folder texts callers give for navigation entries into the paths the dialog uses.
// "Eigene Dateien" and "Desktop" stand for the user's documents and desktop folders (XDG);
// other texts naming an existing item become its clean absolute path; anything else is kept
// as given. No result ends with a '/' except the root itself.
#pragma once

#include <QString>

class FolderNames {
  public:
    static const QString DocumentsName;  // "Eigene Dateien"
    static const QString DesktopName;    // "Desktop"

    static bool isSpecialName(const QString& text);
    static QString normalise(const QString& text);
    static QString documentsFolder();
    static QString desktopFolder();
    static QString lastComponent(const QString& path);
    static QString withoutTrailingDelimiter(const QString& text);
};
