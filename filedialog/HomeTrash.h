// The desktop's trash in the user's home, for the items Qt cannot put there itself: names whose
// bytes are no valid UTF-8, which Qt would look up with U+FFFD in place of the bad bytes.
//
// The layout is the freedesktop.org one the desktop reads: the item moves into files/, and a
// record of the same name plus ".trashinfo" in info/ holds its original path (URL-escaped) and
// the deletion time, so that the desktop's trash lists and restores it. The item is renamed,
// never copied, so one on another file system stays where it is.
#pragma once

#include <QByteArray>

class HomeTrash {
  public:
    // $XDG_DATA_HOME/Trash, or ~/.local/share/Trash where that is unset or not absolute.
    static QByteArray folder();
    // False when nothing moved: the item is missing, lies on another file system, or the trash
    // cannot be written.
    static bool moveToTrash(const QByteArray& path);

  private:
    static QByteArray recordFor(const QByteArray& originalPath);
    // Reserves a free name with its record in info/ and moves the item to that name.
    static bool moveUnderFreeName(const QByteArray& path, const QByteArray& trash,
                                  const QByteArray& record);
};
