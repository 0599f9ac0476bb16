#include "LiveSession.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>

#include "ComPort.h"
#include "TurnLock.h"

LiveSession::LiveSession(std::optional<uint32_t> port)
    : face_(deviceState_), reader_(&face_, face_, deviceState_, '.') {
    if (port) {
        reader_.SearchOnly(*port);
    }
}

LiveSession::~LiveSession() {
    reader_.Stop();
    std::lock_guard<TurnLock> hold(PortLock);
    ComPort_Close(PortHandle);
}

bool LiveSession::Start() {
    return reader_.Start(WorkerThread::Priority::Normal);
}

int LiveSession::PollUntil(pollfd* watched, nfds_t count, Clock::time_point until) {
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now());
        const int timeout = static_cast<int>(std::clamp<int64_t>(left.count(), 0, 60000));
        const int ready = poll(watched, count, timeout);
        if (ready > 0 || (ready == 0 && Clock::now() >= until)) {
            return ready;
        }
        if (ready < 0 && errno != EINTR) {
            return ready;
        }
    }
}

LiveSession::Wake LiveSession::WaitUntil(Clock::time_point until, int stopDescriptor) const {
    pollfd watched[2] = {{stopDescriptor, POLLIN, 0}, {face_.ChangeDescriptor(), POLLIN, 0}};
    if (PollUntil(watched, 2, until) <= 0) {
        return Wake::TimedOut;
    }
    return (watched[0].revents & POLLIN) != 0 ? Wake::Stopped : Wake::Changed;
}

bool LiveSession::StoppedBefore(Clock::time_point until, int stopDescriptor) const {
    pollfd watched[1] = {{stopDescriptor, POLLIN, 0}};
    return PollUntil(watched, 1, until) > 0;
}
