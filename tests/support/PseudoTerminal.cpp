#include "PseudoTerminal.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <stdexcept>

namespace test_support {

PseudoTerminal::PseudoTerminal(const TemporaryFolder& folder, uint32_t portNumber) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        throw std::runtime_error("cannot create a pseudo-terminal");
    }
    slavePath_ = ptsname(master_);
    // The slave starts cooked and echoing; the unit's side must never see its own bytes back
    // before the port layer has configured the line.
    const int slave = open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios raw{};
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave, TCSANOW, &raw);
    close(slave);
    entryPath_ = folder.file("COM" + std::to_string(portNumber));
    unlink(entryPath_.c_str());
    if (symlink(slavePath_.c_str(), entryPath_.c_str()) != 0) {
        throw std::runtime_error("cannot publish the pseudo-terminal");
    }
}

PseudoTerminal::~PseudoTerminal() {
    hangUp();
    unlink(entryPath_.c_str());
}

void PseudoTerminal::send(const std::string& bytes) const {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t count = write(master_, bytes.data() + sent, bytes.size() - sent);
        if (count <= 0) {
            throw std::runtime_error("cannot write to the pseudo-terminal");
        }
        sent += static_cast<std::size_t>(count);
    }
}

std::string PseudoTerminal::receiveUntil(char until, std::chrono::milliseconds deadline) const {
    const auto end = std::chrono::steady_clock::now() + deadline;
    std::string received;
    while (received.empty() || received.back() != until) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        pollfd entry{master_, POLLIN, 0};
        if (left.count() <= 0 || poll(&entry, 1, static_cast<int>(left.count())) <= 0) {
            break;
        }
        char byte = 0;
        if (read(master_, &byte, 1) != 1) {
            break;
        }
        received += byte;
    }
    return received;
}

void PseudoTerminal::hangUp() {
    if (master_ >= 0) {
        close(master_);
        master_ = -1;
    }
}

}  // namespace test_support
