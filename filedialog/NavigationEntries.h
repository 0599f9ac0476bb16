// One family of the dialog's navigation entries (Home or Browse): twelve entries that callers
// set before each use, and the pop-up menu that shows them.
#pragma once

#include <QString>
#include <array>

#include "NavigationEntry.h"

class QMenu;

class NavigationEntries {
  public:
    static constexpr int Count = 12;

    // 0, or -1 for an index outside 0 to 11 (nothing changes then). The two special folder
    // names give their folder's own name as label.
    int set(int index, const QString& label, const QString& path, const QString& floor);
    const NavigationEntry& at(int index) const { return entries_.at(static_cast<size_t>(index)); }
    // Shows the entries up to the first empty label; items naming no folder are disabled.
    void rebuildMenu(QMenu* menu);

  private:
    std::array<NavigationEntry, Count> entries_;
};
