// The file dialog's operations on the real disk, by native bytes.
//
// copy and move work on whole trees and never follow a symbolic link (see FileTree); a folder
// is never copied or moved into itself or below itself. moveToTrash puts every item into the
// desktop's trash (DesktopTrash); only on a file system that has none is the item deleted.
#pragma once

#include "DesktopTrash.h"
#include "FileOperations.h"
#include "NoReplaceRename.h"

class DiskFileOperations : public FileOperations {
  public:
    // Tests stand in a rename call that answers as a file system without RENAME_NOREPLACE.
    explicit DiskFileOperations(const NoReplaceRename& renamer = NoReplaceRename())
        : renamer_(renamer), trash_(renamer) {}

    int moveToTrash(const QByteArray& path) override;
    // rename(2); across file systems a copy, and the source is removed once the copy is whole.
    // What of the source cannot be removed stays there: DoneSourceLeft.
    int move(const QByteArray& from, const QByteArray& to) override;
    int copy(const QByteArray& from, const QByteArray& to) override;
    int copyToNew(const QByteArray& from, const QByteArray& to) override;
    // Never replaces: an existing `to` makes it Failed.
    int rename(const QByteArray& from, const QByteArray& to) override;
    int makeFolder(const QByteArray& path) override;
    int removePermanently(const QByteArray& path) override;
    bool exists(const QByteArray& path) const override;
    bool isFolder(const QByteArray& path) const override;

  private:
    // Removes `to` where it exists, once `from` was found to exist and neither path lies within
    // the other (removing `to` would then take `from` with it).
    bool makeRoomFor(const QByteArray& from, const QByteArray& to);
    // `from` exists and neither path lies within the other.
    bool isCopyable(const QByteArray& from, const QByteArray& to) const;

    NoReplaceRename renamer_;
    DesktopTrash trash_;
};
