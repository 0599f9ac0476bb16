// Whole trees of files and folders by their native bytes, with POSIX calls that never follow a
// symbolic link: a link inside a copied tree is copied as a link with the same target text, and
// removing a link unlinks the link, never what it points to. Each folder is opened without
// following a link and its items are reached relative to it, so a link swapped in while the
// work runs is not followed either.
//
// Pipes, sockets and device files inside a copied folder are skipped: opening a pipe would wait
// for a writer, and a copy of a device would not copy its contents.
#pragma once

#include <sys/types.h>

#include <QByteArray>
#include <set>
#include <utility>

class FileTree {
  public:
    // The source items a copy made whole, by device and inode.
    using CopiedItems = std::set<std::pair<dev_t, ino_t>>;

    // Copies a file, link or folder to `to`, which must not exist yet and is created exclusively;
    // the folder above it must exist. Permission bits are kept, the owner and the set-ID bits are
    // not (the copy belongs to whoever copies). On failure nothing of the copy is left, and an
    // item another program put at `to` first stays.
    // Modification times are kept too, a folder's after its items, a link's own. Where given,
    // `copied` collects the source items copied whole.
    static bool copy(const QByteArray& from, const QByteArray& to, CopiedItems* copied = nullptr);
    // Removes of a copied tree only what the copy recorded, so that a move across file systems
    // leaves at the source what it did not take (pipes, sockets, devices, items made meanwhile),
    // with the folders holding them. False where a recorded item could not be removed.
    static bool removeCopied(const QByteArray& path, const CopiedItems& copied);
    // Removes a file, link or whole folder. Goes on past an item it cannot remove, so that as
    // much as possible is gone; false when anything is left.
    static bool remove(const QByteArray& path);
    // Creates the folder and every missing level above it (with `mode` less the umask); true
    // when it is a folder afterwards, also when it already was one.
    static bool makePath(const QByteArray& path, mode_t mode);
};
