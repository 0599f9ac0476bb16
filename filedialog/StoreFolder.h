// The store folder of the file dialog's insert list: where cut and copied items wait to be
// inserted. Each caller names its own; it is created with all missing levels and hidden from
// the desktop's file managers (and from the dialog's own listing) through the ".hidden" file of
// the folder above it.
#pragma once

#include <QString>

class StoreFolder {
  public:
    // The store before any caller names one: the user's own cache, where no other user can
    // plant a list.
    static QString defaultFolder();
    // Creates and hides the folder. 0 with *result the folder followed by '/'; -1 for an empty
    // text, -2 for one that is empty without its trailing '/', -3 when it cannot be created (a
    // relative path counts as such), -4 when it cannot be hidden.
    static int prepare(const QString& folder, QString* result);
    // Adds the folder's name to the ".hidden" file of its parent, written whole.
    static bool hide(const QString& folder);
};
