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

    // Store items leave the store only to the desktop's trash, and only once the list file
    // that no longer names them is written; an item that cannot be trashed keeps its line,
    // except the oldest past the limit, which then stays in the store unlisted.

    // Removes every line equal to the name and trashes its store item. Returns whether the
    // line went.
    bool remove(const QByteArray& name);
    // A free path in the store where a Cut or Copy makes its item whole before takeIn.
    QByteArray incomingPath() const;
    // Lists the name first for the item waiting at `incoming`: the list file is written, an
    // older item of the name goes to the trash, the new one takes its name, and lines past the
    // limit go with their items. False when a step fails: the list, the list file and the older
    // item are then as they were, and the new item still waits at `incoming`; only when the
    // name cannot be taken once the older item is in the trash, its line goes too.
    bool takeIn(const QByteArray& name, const QByteArray& incoming);
    // Removes every line, last to first, with its store item.
    void clear();

  private:
    QByteArray listFilePath() const;
    bool trashItem(const QByteArray& name);
    // Writes the whole list file or leaves the old one as it was.
    bool write(const std::vector<QByteArray>& names) const;

    FileOperations& operations_;
    QByteArray folder_;
    std::vector<QByteArray> names_;
};
