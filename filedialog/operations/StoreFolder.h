// The store folder of the file dialog's insert list: where cut and copied items wait to be
// inserted. Each caller names its own; it is created with all missing levels and hidden from
// the desktop's file managers (and from the dialog's own listing) through the ".hidden" file of
// the folder above it.
#pragma once

#include <QByteArray>
#include <QString>

class StoreFolder {
  public:
    // The store before any caller names one: below the user's own data folder, where no other
    // user can plant a list and no cache cleaner empties it (a cut item's only copy may be
    // there). A store left in the cache by earlier versions is moved there first.
    static QString defaultFolder();
    // Moves the old store whole to the new place, if it is there and nothing is at the new
    // place yet; a failure leaves the old store as it was.
    static bool moveOldStore(const QString& oldFolder, const QString& newFolder);
    // Creates and hides the folder. 0 with *result the folder followed by '/'; -1 for an empty
    // text, -2 for one that is empty without its trailing '/', -3 when it cannot be created (a
    // relative path counts as such), -4 when it cannot be hidden.
    static int prepare(const QString& folder, QString* result);
    // Adds the folder's name to the ".hidden" file of its parent, written whole; on failure
    // the file stays as it was.
    static bool hide(const QString& folder);
    // Whether two native paths name the same existing folder, whichever way they reach it.
    static bool isSameFolder(const QByteArray& folder, const QByteArray& other);
};
