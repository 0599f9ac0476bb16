// A folder the dialog can show: a real directory or one of the two virtual folders (the
// computer, listing the mounted volumes, and the network). Virtual folders keep their "::{"
// paths so that the path field and the navigation entries treat them alike everywhere.
//
// The depth counts the elements of the folder's item list: the virtual folders are top-level
// items (1), the root "/" sits below the computer (2), and each further path level adds one.
// Back drops one element; a top-level item stays where it is.
#pragma once

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

    const QString& path() const { return path_; }
    bool isVirtual() const { return isVirtualPath(path_); }
    int depth() const;
    FolderLocation parent() const;
    // The folder a row of this one opens; rows of the computer folder carry absolute paths.
    FolderLocation child(const QString& fileName) const;
    // Full path of an item in this folder, as the row's actions and the result path use it.
    QString itemPath(const QString& fileName) const;
    // The folder's normal display name: the virtual folders' names, else the last component.
    QString displayName() const;

    bool operator==(const FolderLocation& other) const { return path_ == other.path_; }

  private:
    explicit FolderLocation(QString path) : path_(std::move(path)) {}

    QString path_;
};
