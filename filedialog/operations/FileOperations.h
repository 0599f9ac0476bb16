// What the file dialog does to files and folders: Delete, Cut, Copy, Insert, Rename and New
// folder, and the insert store's upkeep. Every path is native bytes, exactly as on disk, so that
// names that are no valid UTF-8 are acted on by their real bytes.
//
// All operations are silent: nothing asks, nothing is shown. copy and move replace an existing
// destination, but only once the source was found to exist.
#pragma once

#include <QByteArray>

class FileOperations {
  public:
    // Outcome of an operation: done, aborted by the user, or failed. DoneSourceLeft is a move
    // whose item arrived whole but part of whose source could not be removed and stays.
    enum Result { Done = 1, Aborted = 0, Failed = -1, DoneSourceLeft = 2 };

    virtual ~FileOperations() = default;

    virtual int moveToTrash(const QByteArray& path) = 0;                 // file or whole folder
    virtual int move(const QByteArray& from, const QByteArray& to) = 0;  // whole tree
    virtual int copy(const QByteArray& from, const QByteArray& to) = 0;  // whole tree
    // A whole tree to `to`, which the copy creates: an item that is already at `to` (also one
    // another program makes meanwhile) makes it Failed and is left alone. On failure only what
    // this copy created is removed.
    virtual int copyToNew(const QByteArray& from, const QByteArray& to) = 0;
    virtual int rename(const QByteArray& from, const QByteArray& to) = 0;
    // Creates every missing level; a folder that already exists is Done.
    virtual int makeFolder(const QByteArray& path) = 0;
    virtual int removePermanently(const QByteArray& path) = 0;  // whole tree, no trash
    // Without following a last link: a dangling link exists and a link to a folder is no folder.
    virtual bool exists(const QByteArray& path) const = 0;
    virtual bool isFolder(const QByteArray& path) const = 0;
};
