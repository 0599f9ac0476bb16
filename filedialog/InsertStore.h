// The file dialog's insert list and store: Cut and Copy put an item into the caller's store
// folder and list its name here, Insert copies it back out of the store. The list lives in the
// file ~INDEX.LST of the store folder (see InsertListFile), so it outlasts the dialog and the
// program; at most InsertListFile::MaximumNames names, newest first.
//
// A name is one element of a path in the store folder. Unsafe names (empty, ".", "..", with
// '/', NUL or a line feed) are never listed and never acted on, so nothing the store does
// reaches outside its folder, whatever the list file holds.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

class FileOperations;

class InsertStore {
  public:
    explicit InsertStore(FileOperations& operations);

    // Native bytes; a missing final '/' is added.
    void setFolder(const QByteArray& folderWithSlash);
    const QByteArray& folder() const { return folder_; }
    // Reads the list file afresh; no file, a file that is no regular file or a link give an
    // empty list. Returns whether the list holds a name.
    bool load();

    const std::vector<QByteArray>& names() const { return names_; }
    int count() const { return static_cast<int>(names_.size()); }
    // Whether the store item of the name at `index` is a folder.
    bool isFolder(int index) const;
    // The name for the Insert menu: decoded for display, a folder in brackets ("[name]").
    QString menuCaption(int index) const;
    // The store folder plus the name; empty for an unsafe name or while no folder is set.
    QByteArray itemPath(const QByteArray& name) const;

    // Removes every line equal to the name and, for each, the store item of that name. Writes
    // the list file when a line went; returns whether one did.
    bool remove(const QByteArray& name);
    // Lists the name first; an older line of the same name goes (its item is the new one), and
    // lines past the limit go together with their store items.
    void add(const QByteArray& name);
    // Removes every line, last to first, with its store item.
    void clear();

  private:
    QByteArray listFilePath() const;
    // Removes the name's store item unless a remaining line still names it.
    void deleteItemIfUnlisted(const QByteArray& name);
    // Writes the whole list file or leaves the old one as it was; a failure is silent.
    void write() const;

    FileOperations& operations_;
    QByteArray folder_;
    std::vector<QByteArray> names_;
};
