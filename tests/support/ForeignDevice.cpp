#include "ForeignDevice.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace test_support {

namespace {
using Clock = std::chrono::steady_clock;
constexpr int PollMs = 5;
}  // namespace

ForeignDevice::ForeignDevice(const PseudoTerminal& pty, std::string opening, std::string filler,
                             std::chrono::milliseconds pause, std::chrono::milliseconds lifetime)
    : farEnd_(pty.farEnd()),
      // Non-blocking while it runs: a full line must never keep it from seeing the stop.
      previousFlags_(fcntl(farEnd_, F_GETFL)),
      opening_(std::move(opening)),
      filler_(std::move(filler)),
      pause_(pause) {
    fcntl(farEnd_, F_SETFL, previousFlags_ | O_NONBLOCK);
    thread_ = std::thread(&ForeignDevice::Run, this, lifetime);
}

ForeignDevice::~ForeignDevice() {
    stopping_ = true;
    thread_.join();
    fcntl(farEnd_, F_SETFL, previousFlags_);
}

void ForeignDevice::Run(std::chrono::milliseconds lifetime) {
    const auto end = Clock::now() + lifetime;
    std::string pending = opening_;
    auto nextFiller = Clock::now();
    while (!stopping_ && Clock::now() < end) {
        if (pending.empty() && !filler_.empty() && Clock::now() >= nextFiller) {
            pending = filler_;
            nextFiller = Clock::now() + pause_;
        }
        const short events = static_cast<short>(POLLIN | (pending.empty() ? 0 : POLLOUT));
        pollfd entry{farEnd_, events, 0};
        if (poll(&entry, 1, PollMs) <= 0) {
            continue;
        }
        if ((entry.revents & POLLHUP) != 0) {
            // The port's side is not open (yet): nothing to hear, nowhere to send.
            std::this_thread::sleep_for(std::chrono::milliseconds(PollMs));
            continue;
        }
        if ((entry.revents & POLLIN) != 0) {
            Listen();
        }
        if ((entry.revents & POLLOUT) != 0) {
            SendSome(pending);
        }
    }
}

void ForeignDevice::SendSome(std::string& pending) {
    const ssize_t count = write(farEnd_, pending.data(), pending.size());
    if (count > 0) {
        pending.erase(0, static_cast<std::size_t>(count));
    }
}

void ForeignDevice::Listen() {
    char heard[256];
    const ssize_t count = read(farEnd_, heard, sizeof heard);
    for (ssize_t i = 0; i < count; ++i) {
        if (heard[i] == '\r') {
            heardCommand_ = true;
        }
    }
}

}  // namespace test_support
