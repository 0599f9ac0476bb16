// Renames a file, link or folder without ever replacing what exists at the new name.
//
// renameat2 with RENAME_NOREPLACE does that in one step, but NFS, many FUSE mounts and older
// file systems refuse the flag (EINVAL, ENOSYS or EOPNOTSUPP). There a file or link is hard-linked
// to the new name, which fails on an existing name, and then unlinked at the old one; a folder,
// or a file where hard links are refused, is renamed over a placeholder of its kind that was
// just made exclusively under the new name.
#pragma once

#include <QByteArray>

class NoReplaceRename {
  public:
    // renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE), as the kernel answers it.
    using RenameCall = int (*)(const char* from, const char* to);

    NoReplaceRename();
    // Tests stand in a call that answers as a file system without the flag would.
    explicit NoReplaceRename(RenameCall call) : call_(call) {}

    // False, with errno set, when nothing was renamed; EEXIST when `to` exists.
    bool rename(const QByteArray& from, const QByteArray& to) const;

  private:
    static bool renameByLink(const QByteArray& from, const QByteArray& to);
    static bool renameOverOwnPlaceholder(const QByteArray& from, const QByteArray& to, bool folder);
    static bool makePlaceholder(const QByteArray& path, bool folder);

    RenameCall call_;
};
