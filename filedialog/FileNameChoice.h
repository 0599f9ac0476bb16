// The file-name rules of the dialog without its widgets: the mode, the caller's default name,
// what the field and OK show for a text, and the result path when the dialog closes. Which file
// the field names is the dialog's to say: it knows the rows.
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

    FieldState apply(const QString& fieldText, bool folderSelected,
                     const FolderLocation& folder) const;
    // Computes the result path, as the bytes on disk, from the field when the dialog closes;
    // empty in view-only modes or when the name cannot be used. The chosen name becomes the
    // next default.
    // realName gives the name on disk of the file a name in the field stands for.
    using RealName = std::function<QByteArray(const QString& shownName)>;
    QByteArray closeWith(const QString& fieldText, const FolderLocation& folder,
                         const RealName& realName);

  private:
    bool saveNameAcceptable(const QString& typed, const FolderLocation& folder) const;

    quint8 mode_ = OpenMode;
    QString filterExtension_;
    QString defaultFileName_;
    QString defaultBaseName_;
    QString defaultExtension_;
};
