// The desktop's trash, laid out the freedesktop.org way so that the desktop's own tools list
// and restore what the dialog deleted.
//
// An item on the file system of the home trash ($XDG_DATA_HOME/Trash) goes there, with its
// absolute path on record. An item on another file system goes to the trash at that file
// system's top: $topdir/.Trash/$uid where $topdir/.Trash is a folder with the sticky bit (and
// no link), else $topdir/.Trash-$uid, with its path relative to $topdir on record. The record
// info/NAME.trashinfo is made exclusively first and reserves NAME; the item is then renamed to
// files/NAME without following a link and without replacing anything, and the record goes
// again if that fails. Paths are kept as bytes, percent-escaped. The directorysizes cache is not
// kept: its readers count a folder missing there themselves.
#pragma once

#include <sys/types.h>

#include <QByteArray>

#include "NoReplaceRename.h"

class DesktopTrash {
  public:
    enum class Outcome {
        Trashed,
        // The item's file system offers no trash that can be used; the item is untouched.
        NoTrash,
        // A trash was there but the item could not be moved in; the item is untouched.
        Failed,
    };

    explicit DesktopTrash(const NoReplaceRename& renamer = NoReplaceRename()) : renamer_(renamer) {}

    // $XDG_DATA_HOME/Trash, or ~/.local/share/Trash where that is unset or not absolute.
    static QByteArray homeFolder();
    Outcome moveToTrash(const QByteArray& path) const;

  private:
    // The trash folder for an item on a file system other than the home trash's, made where
    // missing; empty where there is none.
    static QByteArray topTrashFor(const QByteArray& topFolder);
    static QByteArray recordFor(const QByteArray& pathOnRecord);
    Outcome moveUnderFreeName(const QByteArray& path, const QByteArray& trash,
                              const QByteArray& record) const;

    NoReplaceRename renamer_;
};
