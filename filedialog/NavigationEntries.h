// One family of the dialog's navigation entries (Home or Browse): twelve entries that callers
// set before each use, its button and the pop-up menu that shows them. Opening an entry is the
// dialog's.
#pragma once

#include <QString>
#include <array>
#include <functional>

#include "NavigationEntry.h"

class QMenu;
class QToolButton;

class NavigationEntries {
  public:
    static constexpr int Count = 12;
    using Opener = std::function<void(int index)>;

    NavigationEntries(QMenu* menu, QToolButton* button, Opener open);
    // Opens entry 0 at once when entry 1 has no label, else drops the menu down.
    void buttonClick();

    // 0, or -1 for an index outside 0 to 11 (nothing changes then). The two special folder
    // names give their folder's own name as label.
    int set(int index, const QString& label, const QString& path, const QString& floor);
    const NavigationEntry& at(int index) const { return entries_.at(static_cast<size_t>(index)); }
    // Shows the entries up to the first empty label; items naming no folder are disabled.
    void rebuildMenu();

  private:
    std::array<NavigationEntry, Count> entries_;
    QMenu* menu_;
    QToolButton* button_;
    Opener open_;
};
