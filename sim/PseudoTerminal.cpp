#include "PseudoTerminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

namespace sim {

PseudoTerminal::~PseudoTerminal() {
    close();
}

bool PseudoTerminal::fail(const char* what) {
    error_ = std::string(what) + ": " + std::strerror(errno);
    close();
    return false;
}

bool PseudoTerminal::openSlaveRaw() {
    slave_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) {
        return false;
    }
    termios settings{};
    if (tcgetattr(slave_, &settings) != 0) {
        return false;
    }
    cfmakeraw(&settings);
    cfsetspeed(&settings, B115200);
    return tcsetattr(slave_, TCSANOW, &settings) == 0;
}

bool PseudoTerminal::open() {
    close();
    error_.clear();
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) {
        return fail("posix_openpt");
    }
    if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
        return fail("grantpt/unlockpt");
    }
    std::array<char, 256> name{};
    if (ptsname_r(master_, name.data(), name.size()) != 0) {
        return fail("ptsname");
    }
    slavePath_ = name.data();
    if (!openSlaveRaw()) {
        return fail("raw slave");
    }
    const int flags = fcntl(master_, F_GETFL);
    if (flags < 0 || fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0) {
        return fail("non-blocking master");
    }
    return true;
}

void PseudoTerminal::close() {
    if (slave_ >= 0) {
        ::close(slave_);
        slave_ = -1;
    }
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
    slavePath_.clear();
}

}  // namespace sim
