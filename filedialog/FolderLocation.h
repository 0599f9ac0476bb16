// A folder the dialog can show: a real directory or one of the two virtual folders (the
// computer, listing the mounted volumes, and the network). Virtual folders keep their "::{"
// paths so that the path field and the navigation entries treat them alike everywhere.
//
// The depth counts the elements of the folder's item list: the virtual folders are top-level
// items (1), the root "/" sits below the computer (2), and each further path level adds one.
// Back drops one element; a top-level item stays where it is. A folder remembers the volume
// it was reached through: a volume opened from the computer folder goes back there, not to
// the folder above its mount point.
//
// A real folder keeps its path as the bytes on disk: a name that is not valid UTF-8 shows with
// replacement characters, but every action uses the bytes and so reaches the real item.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class FolderLocation {
  public:
    static const QString ComputerPath;
    static const QString NetworkPath;
    static const QString DocumentsPath;

    static FolderLocation computer();
    // An existing directory given by absolute path, or a virtual folder path; nothing otherwise.
    static std::optional<FolderLocation> parse(const QString& text);
    static bool isVirtualPath(const QString& path);

    // As shown; for a real folder the decoded form of its bytes.
    const QString& path() const { return path_; }
    // The bytes on disk; empty for a virtual folder.
    const QByteArray& nativePath() const { return native_; }
    bool isVirtual() const { return isVirtualPath(path_); }
    // A virtual folder always exists; a real one while it is a directory on disk.
    bool exists() const;
    int depth() const;
    FolderLocation parent() const;
    // The folder a row of this one opens; rows of the computer folder carry absolute paths.
    FolderLocation child(const QByteArray& fileName) const;
    // Full path of an item in this folder, as the row's actions and the result path use it.
    QByteArray itemPath(const QByteArray& fileName) const;
    // The folder's normal display name: the virtual folders' names, else the last component.
    QString displayName() const;
    // The last component as on disk; a volume root gives its whole path.
    QByteArray nativeName() const;

    bool operator==(const FolderLocation& other) const {
        return path_ == other.path_ && native_ == other.native_;
    }

  private:
    static FolderLocation virtualFolder(const QString& path);
    static FolderLocation fromNative(const QByteArray& native, const QByteArray& volume);
    FolderLocation(QString path, QByteArray native, QByteArray volume)
        : path_(std::move(path)), native_(std::move(native)), volume_(std::move(volume)) {}

    QString path_;
    QByteArray native_;
    QByteArray volume_;
};
