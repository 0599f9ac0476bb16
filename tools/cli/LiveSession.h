// The window's reader thread run for a terminal program: it searches (or opens the one port
// given), polls every page's queries in turn and reconnects after a lost link, while the
// program's own loop waits for the picture to change.
#pragma once

#include <poll.h>

#include <chrono>
#include <cstdint>
#include <optional>

#include "ReaderFace.h"
#include "Thread_Read.h"

class LiveSession {
  public:
    using Clock = std::chrono::steady_clock;
    enum class Wake { Changed, Stopped, TimedOut };

    explicit LiveSession(std::optional<uint32_t> port);
    ~LiveSession();  // stops the reader; the port is closed
    LiveSession(const LiveSession&) = delete;
    LiveSession& operator=(const LiveSession&) = delete;

    bool Start();
    // Waits until the picture changed, stopDescriptor became readable, or `until` passed.
    Wake WaitUntil(Clock::time_point until, int stopDescriptor) const;
    // Waits until stopDescriptor became readable or `until` passed; changes wait meanwhile.
    bool StoppedBefore(Clock::time_point until, int stopDescriptor) const;
    UnitPicture Picture() const { return face_.Picture(); }

  private:
    // Polls the descriptors, the first being the stop's, until one is readable or `until`.
    static int PollUntil(pollfd* watched, nfds_t count, Clock::time_point until);

    DeviceStateRecord deviceState_;
    ReaderFace face_;
    Thread_Read reader_;
};
