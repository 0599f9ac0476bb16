// The file-name rules of the dialog without its widgets: the mode, the caller's default name,
// the name behind the file-name field, what the field and OK show for a text, and the result
// path when the dialog closes.
#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>

#include "FolderLocation.h"

class FileNameChoice {
  public:
    enum Mode : quint8 { OpenMode = 0, SaveMode = 1, ViewMode = 2 };

    // What the file-name field and OK show after the rule ran.
    struct FieldState {
        QString text;
        bool okVisible = false;
        bool okEnabled = false;
        bool invalid = false;  // save mode: a typed name that may not be used
    };

    void setMode(quint8 mode) { mode_ = mode; }
    quint8 mode() const { return mode_; }
    void setFilterExtension(const QString& filterExtension) { filterExtension_ = filterExtension; }
    const QString& filterExtension() const { return filterExtension_; }

    // Splits the caller's default name; a name without extension gets the filter extension.
    // Returns what the file-name field shows.
    QString setDefaultName(const QString& defaultName);
    const QString& defaultFileName() const { return defaultFileName_; }
    const QString& defaultBaseName() const { return defaultBaseName_; }
    const QString& defaultExtension() const { return defaultExtension_; }

    // The field shows a row's name with its extension in lower case; the file behind it keeps
    // its own.
    void rememberSelectedFile(const QString& shownName, const QByteArray& realName);
    void forgetSelectedFile();
    QByteArray realNameOf(const QString& fieldText) const;

    FieldState apply(const QString& fieldText, bool folderSelected,
                     const FolderLocation& folder) const;
    // Computes the result path, as the bytes on disk, from the field when the dialog closes;
    // empty in view-only modes or when the name cannot be used. The chosen name becomes the
    // next default.
    // listedFile gives the real name of a listed file by its shown name, or nothing.
    using ListedFile = std::function<QByteArray(const QString& shownName)>;
    QByteArray closeWith(const QString& fieldText, const FolderLocation& folder,
                         const ListedFile& listedFile);

  private:
    bool saveNameAcceptable(const QString& typed, const FolderLocation& folder) const;

    quint8 mode_ = OpenMode;
    QString filterExtension_;
    QString defaultFileName_;
    QString defaultBaseName_;
    QString defaultExtension_;
    QString selectedShownName_;
    QByteArray selectedRealName_;
};
