#include "PcPort.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

namespace sim_test {
namespace {

using Clock = std::chrono::steady_clock;

constexpr char Stx = 0x02;
constexpr char Etx = 0x03;

}  // namespace

PcPort::PcPort(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    termios settings{};
    if (fd_ >= 0 && tcgetattr(fd_, &settings) == 0) {
        cfmakeraw(&settings);
        tcsetattr(fd_, TCSANOW, &settings);
    }
}

PcPort::~PcPort() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool PcPort::sendBytes(const std::string& bytes) {
    std::size_t written = 0;
    const Clock::time_point end = Clock::now() + 5s;
    while (written < bytes.size() && Clock::now() < end) {
        const ssize_t n = ::write(fd_, bytes.data() + written, bytes.size() - written);
        if (n > 0) {
            written += static_cast<std::size_t>(n);
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        } else {
            pollfd out{fd_, POLLOUT, 0};
            ::poll(&out, 1, 50);
        }
    }
    return written == bytes.size();
}

Reception PcPort::receive(std::chrono::milliseconds deadline, bool stopAtEtx) {
    Reception reception;
    const Clock::time_point end = Clock::now() + deadline;
    while (true) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        if (left.count() <= 0) {
            return reception;
        }
        pollfd in{fd_, POLLIN, 0};
        if (::poll(&in, 1, static_cast<int>(left.count())) <= 0) {
            continue;
        }
        char buffer[4096];
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n > 0) {
            reception.bytes.append(buffer, static_cast<std::size_t>(n));
            if (stopAtEtx && reception.bytes.find(Etx) != std::string::npos) {
                reception.endedByEtx = true;
                return reception;
            }
        } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
            reception.hungUp = true;
            return reception;
        }
    }
}

Reception PcPort::receiveFrame(std::chrono::milliseconds deadline) {
    return receive(deadline, true);
}

Reception PcPort::receiveFor(std::chrono::milliseconds window) {
    return receive(window, false);
}

std::optional<std::string> PcPort::transact(const std::string& command,
                                            std::chrono::milliseconds deadline) {
    if (!send(command)) {
        return std::nullopt;
    }
    return payloadOf(receiveFrame(deadline).bytes);
}

std::optional<std::string> PcPort::payloadOf(const std::string& bytes) {
    const std::size_t stx = bytes.find(Stx);
    if (stx == std::string::npos) {
        return std::nullopt;
    }
    const std::size_t etx = bytes.find(Etx, stx + 1);
    if (etx == std::string::npos) {
        return std::nullopt;
    }
    return bytes.substr(stx + 1, etx - stx - 1);
}

}  // namespace sim_test
