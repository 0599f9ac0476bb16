// Paints the list yellow and shows the wait cursor for as long as it lives: every navigation
// and operation of the file dialog runs inside one.
#pragma once

class VirtualListView;

class BusyIndication {
  public:
    explicit BusyIndication(VirtualListView* list);
    ~BusyIndication();
    BusyIndication(const BusyIndication&) = delete;
    BusyIndication& operator=(const BusyIndication&) = delete;

    // The folder picker is a window of its own; it gets the normal cursor while it is open.
    void suspendCursor();
    void resumeCursor();

  private:
    VirtualListView* list_;
    bool cursorShown_ = true;
};
