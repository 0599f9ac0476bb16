// The reader thread: finds the unit by scanning COM1 to COM256, then polls the values of the
// active page, stores them in DeviceState and hands display texts to the GUI thread. A failed
// query sends it back to scanning at the end of its polling cycle.
#pragma once

#include <atomic>
#include <functional>
#include <string>

#include "CommandProtocol.h"
#include "DeviceStateRecord.h"
#include "HandOverMemory.h"
#include "ReaderDisplay.h"
#include "ReaderQueries.h"
#include "WorkerThread.h"

class Thread_Read : public WorkerThread {
  public:
    static constexpr uint32_t FirstPort = 1;
    static constexpr uint32_t LastPort = 256;
    static constexpr int32_t BaudRate = 115200;

    Thread_Read(GuiHandOver* gui, ReaderDisplay& display, DeviceStateRecord& deviceState,
                char decimalSeparator);
    ~Thread_Read() override;

    bool Connected() const { return connected_.load(); }
    // Searches this one port instead of COM1 to COM256, for a companion program told which
    // port the unit is on. Call before Start().
    void SearchOnly(uint32_t portNumber);

  protected:
    void Execute() override;

  private:
    void ConnectionSearch();
    bool ProbePort(uint32_t portNumber);
    void PollActivePage();
    // One transaction under PortLock; false (and the link counts as lost) when it failed.
    bool Query(const char* command, ReplyBuffer& reply);

    // Hands a display routine over unless the window already shows these values. A mode's
    // routine may lay its page out anew, after which nothing else is known to be shown.
    void HandOver(HandOverMemory::Routine routine, std::string values,
                  const std::function<void()>& show);
    void HandOverMode(HandOverMemory::Routine routine, int mode, const std::function<void()>& show);
    // A failed query's "?" and the search's reset: afterwards every value is handed over.
    void HandOverUnknown(const std::function<void()>& show);

    // Sends one query of the table and hands its values, or "?" after a failure, over.
    void RunQuery(const reader_queries::Query& query);
    void HandOverFailure(const reader_queries::Query& query);

    ReaderDisplay& display_;
    DeviceStateRecord& deviceState_;
    const char decimalSeparator_;
    std::atomic<bool> connected_{false};
    uint32_t firstPort_ = FirstPort;
    uint32_t lastPort_ = LastPort;
    // Shared by both mode queries: a failed "SPEED.CMD" hands over what the last mode query
    // left here.
    int modeNumber_ = 0;
    HandOverMemory handedOver_;
};
