// Enumerates a folder into the rows of the file list. Only names and the folder flag are
// collected here, so that a folder of a hundred thousand files opens at the speed of the
// directory read itself; everything else is fetched per shown row.
//
// Order: folders first, then names in the locale's natural order (numbers by value, case
// ignored), with the plain code-point order as the tie-break so the order is always total.
#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

#include "FolderLocation.h"
#include "ShellEntry.h"

class FolderListing {
  public:
    enum EnumerationFlag : quint32 {
        Folders = 0x20,
        NonFolders = 0x40,
        IncludeHidden = 0x80,
    };
    // What the callers of this system pass: folders and files, no hidden items.
    static constexpr quint32 DefaultFlags = Folders | NonFolders;

    // A folder that cannot be read gives an empty list; a read error part-way keeps the rows
    // collected so far.
    static std::vector<ShellEntry> enumerate(const FolderLocation& folder,
                                             const QString& filterExtension, quint32 flags);
    static void sortEntries(std::vector<ShellEntry>& entries);
    // The computer folder's entries for these mount points: "/" always comes first, even where
    // it is no listed mount (a chroot, some containers); a local mount that is no folder is
    // left out. Remote mounts are taken unseen: asking a hung server would freeze the dialog.
    static std::vector<ShellEntry> volumeEntries(const QStringList& localRoots,
                                                 const QStringList& remoteRoots = {});
    // Network file systems and user-space mounts, whose server or daemon may not answer.
    static bool isRemoteFileSystem(const QByteArray& type);

  private:
    static std::vector<ShellEntry> enumerateDirectory(const QByteArray& path,
                                                      const QString& filterExtension,
                                                      quint32 flags);
    static std::vector<ShellEntry> enumerateVolumes(quint32 flags);
};
