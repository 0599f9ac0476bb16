// The port layer's operating-system calls on termios.
//
// The descriptor is opened non-blocking; every wait is a poll() against a deadline taken from
// the time-out set armed on that descriptor. Settings that termios has no place for (queue
// sizes, XON/XOFF limits, the error and event characters) are kept per descriptor here, so
// that reading the settings back returns what was written.
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <mutex>
#include <thread>
#include <unordered_map>

#include "BoundedTransfer.h"
#include "Deadline.h"
#include "PortClaim.h"
#include "PortNamespace.h"
#include "ReadAhead.h"
#include "SerialDevice.h"

namespace serial_device {
namespace {

// What the driver would remember about an open port beyond termios.
struct PortRecord {
    PortTimeouts timeouts;
    LineSettings kept;  // fields that termios cannot hold
    serial_icounter_struct errorBaseline{};
    // A line without error counters (a pseudo-terminal) is asked only once.
    bool hasErrorCounters = true;
    ReadAhead pending;
    std::string lockFile;  // our lock file, given back on close; empty when none was taken
};

std::mutex recordsLock;
std::unordered_map<int, PortRecord> records;

// Only ports opened here have a record; this check costs no system call on the per-byte path.
template <typename Change>
bool ChangeRecord(int fd, Change change) {
    std::lock_guard<std::mutex> guard(recordsLock);
    const auto found = records.find(fd);
    if (found == records.end()) {
        return false;
    }
    change(found->second);
    return true;
}

PortTimeouts TimeoutsOf(int fd) {
    std::lock_guard<std::mutex> guard(recordsLock);
    const auto found = records.find(fd);
    return found == records.end() ? PortTimeouts{} : found->second.timeouts;
}

// False when the descriptor has no record: it was not opened here.
bool ForgetRecord(int fd, std::string& lockFile) {
    std::lock_guard<std::mutex> guard(recordsLock);
    const auto found = records.find(fd);
    if (found == records.end()) {
        return false;
    }
    lockFile = found->second.lockFile;
    records.erase(found);
    return true;
}

uint32_t SaturatingBudget(uint32_t multiplier, std::size_t count, uint32_t constant) {
    const uint64_t total = static_cast<uint64_t>(multiplier) * count + constant;
    return total > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(total);
}

// Waits for the descriptor to become ready for `events` until the deadline. A signal restarts
// the wait for what is left of the same deadline. A device that has gone away (unplugged
// adapter, closed pseudo-terminal) fails the wait at once rather than at its time-out.
WaitResult WaitUntilReady(int fd, short events, const Deadline& deadline) {
    for (;;) {
        pollfd entry{fd, events, 0};
        const int ready = poll(&entry, 1, deadline.remainingMs());
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            return WaitResult::Failed;
        }
        if (ready == 0) {
            return WaitResult::TimedOut;
        }
        // Anything else that poll() reports is a hang-up or an error.
        return (entry.revents & events) != 0 ? WaitResult::Ready : WaitResult::Failed;
    }
}

struct BaudEntry {
    int32_t rate;
    speed_t code;
};

constexpr BaudEntry BaudTable[] = {
    {300, B300},       {600, B600},       {1200, B1200},     {2400, B2400},   {4800, B4800},
    {9600, B9600},     {19200, B19200},   {38400, B38400},   {57600, B57600}, {115200, B115200},
    {230400, B230400}, {460800, B460800}, {921600, B921600},
};

bool BaudCode(int32_t rate, speed_t& code) {
    for (const BaudEntry& entry : BaudTable) {
        if (entry.rate == rate) {
            code = entry.code;
            return true;
        }
    }
    return false;
}

int32_t BaudRate(speed_t code) {
    for (const BaudEntry& entry : BaudTable) {
        if (entry.code == code) {
            return entry.rate;
        }
    }
    return 0;
}

tcflag_t DataBitsFlag(uint8_t dataBits) {
    switch (dataBits) {
        case 5:
            return CS5;
        case 6:
            return CS6;
        case 7:
            return CS7;
        default:
            return CS8;
    }
}

uint8_t DataBits(tcflag_t cflag) {
    switch (cflag & CSIZE) {
        case CS5:
            return 5;
        case CS6:
            return 6;
        case CS7:
            return 7;
        default:
            return 8;
    }
}

tcflag_t ParityFlags(Parity parity) {
    switch (parity) {
        case Parity::Odd:
            return PARENB | PARODD;
        case Parity::Even:
            return PARENB;
        case Parity::Mark:
            return PARENB | PARODD | CMSPAR;
        case Parity::Space:
            return PARENB | CMSPAR;
        default:
            return 0;
    }
}

Parity ParityOf(tcflag_t cflag) {
    if ((cflag & PARENB) == 0) {
        return Parity::None;
    }
    const bool odd = (cflag & PARODD) != 0;
    if ((cflag & CMSPAR) != 0) {
        return odd ? Parity::Mark : Parity::Space;
    }
    return odd ? Parity::Odd : Parity::Even;
}

// Turn off every termios convenience: the unit's bytes must arrive as sent, breaks ignored,
// and only DC1/DC3 are taken out of the data stream, for flow control in both directions.
bool ToTermios(const LineSettings& settings, termios& tio) {
    speed_t speed = 0;
    if (!BaudCode(settings.baudRate, speed)) {
        return false;
    }
    tio.c_iflag &= ~static_cast<tcflag_t>(BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON |
                                          IXOFF | IXANY | INPCK | IMAXBEL | IUTF8);
    tio.c_iflag |= IGNBRK;
    if (settings.parityCheck) {
        tio.c_iflag |= INPCK;
    }
    if (settings.xonXoffOutput) {
        tio.c_iflag |= IXON;
    }
    if (settings.xonXoffInput) {
        tio.c_iflag |= IXOFF;
    }
    tio.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    tio.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ECHOE | ECHOK | ICANON | ISIG | IEXTEN);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    tio.c_cflag |= DataBitsFlag(settings.dataBits) | ParityFlags(settings.parity) | CREAD | CLOCAL;
    if (settings.stopBits != StopBits::One) {
        tio.c_cflag |= CSTOPB;
    }
    if (settings.ctsOutputFlow || settings.rtsControl == LineControl::Handshake) {
        tio.c_cflag |= CRTSCTS;
    }
    tio.c_cc[VSTART] = static_cast<cc_t>(settings.xonChar);
    tio.c_cc[VSTOP] = static_cast<cc_t>(settings.xoffChar);
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    return cfsetispeed(&tio, speed) == 0 && cfsetospeed(&tio, speed) == 0;
}

bool SameLine(const termios& wanted, const termios& actual) {
    constexpr tcflag_t InputFlags =
        IGNBRK | BRKINT | INPCK | ICRNL | INLCR | IGNCR | IXON | IXOFF | IXANY;
    constexpr tcflag_t ControlFlags = CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS | CREAD | CLOCAL;
    constexpr tcflag_t LocalFlags = ECHO | ICANON | ISIG | IEXTEN;
    return (wanted.c_iflag & InputFlags) == (actual.c_iflag & InputFlags) &&
           (wanted.c_cflag & ControlFlags) == (actual.c_cflag & ControlFlags) &&
           (wanted.c_lflag & LocalFlags) == (actual.c_lflag & LocalFlags) &&
           (wanted.c_oflag & OPOST) == (actual.c_oflag & OPOST) &&
           wanted.c_cc[VSTART] == actual.c_cc[VSTART] && wanted.c_cc[VSTOP] == actual.c_cc[VSTOP] &&
           cfgetospeed(&wanted) == cfgetospeed(&actual);
}

// Pseudo-terminals have no modem lines and refuse this; that is no failure of the settings.
void HoldModemLine(int fd, int line, LineControl control) {
    if (control == LineControl::Handshake) {
        return;
    }
    ioctl(fd, control == LineControl::Enabled ? TIOCMBIS : TIOCMBIC, &line);
}

// The kernel drops TIOCEXCL with the last close of a serial device, so the flag ends with our
// process however it ends. A pseudo-terminal's slave lives on while its master is open, as the
// simulated unit keeps it: there the flag would outlive a process that left the port open and
// refuse the next start of a normal user, so only flock and the lock file guard those.
bool IsPseudoTerminalSlave(dev_t device) {
    constexpr unsigned FirstSlaveMajor = 136;  // UNIX98 pty slaves use majors 136 to 143
    constexpr unsigned LastSlaveMajor = 143;
    return major(device) >= FirstSlaveMajor && major(device) <= LastSlaveMajor;
}

// Strips the device namespace prefix; the plain name reaches only COM1 to COM9.
std::optional<uint32_t> PortNumberOfDeviceName(const std::string& deviceName) {
    static const std::string NamespacePrefix = "\\\\.\\";
    const bool prefixed = deviceName.compare(0, NamespacePrefix.size(), NamespacePrefix) == 0;
    const auto number = port_namespace::ParsePortName(
        prefixed ? deviceName.substr(NamespacePrefix.size()) : deviceName);
    if (!number || (!prefixed && *number > 9)) {
        return std::nullopt;
    }
    return number;
}

}  // namespace

bool QueryTarget(const std::string& portName, std::string& target) {
    const auto number = port_namespace::ParsePortName(portName);
    const auto found = number ? port_namespace::DeviceTarget(*number) : std::nullopt;
    if (!found) {
        return false;
    }
    target = *found;
    return true;
}

int OpenExclusive(const std::string& deviceName) {
    const auto number = PortNumberOfDeviceName(deviceName);
    const auto path = number ? port_namespace::DevicePath(*number) : std::nullopt;
    if (!path) {
        return -1;
    }
    // A port that another program uses without holding it is not even opened.
    struct stat node {};
    if (stat(path->c_str(), &node) != 0 || !S_ISCHR(node.st_mode)) {
        return -1;
    }
    const auto lockFile = port_claim::Claim(*path, node.st_rdev);
    if (!lockFile) {
        return -1;
    }
    const int fd = open(path->c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    // flock keeps out every program that holds ports as we do, root included; TIOCEXCL keeps
    // out later opens of any other program. Neither refuses one that opened the port before.
    struct stat info {};
    if (fd < 0 || fstat(fd, &info) != 0 || info.st_rdev != node.st_rdev || !isatty(fd) ||
        flock(fd, LOCK_EX | LOCK_NB) != 0 ||
        (!IsPseudoTerminalSlave(info.st_rdev) && ioctl(fd, TIOCEXCL) != 0)) {
        if (fd >= 0) {
            close(fd);
        }
        port_claim::Release(*lockFile);
        return -1;
    }
    std::lock_guard<std::mutex> guard(recordsLock);
    records[fd] = PortRecord{};
    records[fd].lockFile = *lockFile;
    return fd;
}

bool SetQueueSizes(int fd, uint32_t, uint32_t) {
    // The kernel sizes a tty's queues itself; only the handle can be wrong here.
    return ChangeRecord(fd, [](PortRecord&) {});
}

bool SetTimeouts(int fd, const PortTimeouts& timeouts) {
    return ChangeRecord(fd, [&](PortRecord& record) { record.timeouts = timeouts; });
}

bool GetLineSettings(int fd, LineSettings& settings) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) {
        return false;
    }
    {
        std::lock_guard<std::mutex> guard(recordsLock);
        const auto found = records.find(fd);
        settings = found == records.end() ? LineSettings{} : found->second.kept;
    }
    settings.baudRate = BaudRate(cfgetospeed(&tio));
    settings.parityCheck = (tio.c_iflag & INPCK) != 0;
    settings.ctsOutputFlow = (tio.c_cflag & CRTSCTS) != 0;
    settings.xonXoffOutput = (tio.c_iflag & IXON) != 0;
    settings.xonXoffInput = (tio.c_iflag & IXOFF) != 0;
    settings.dataBits = DataBits(tio.c_cflag);
    settings.parity = ParityOf(tio.c_cflag);
    settings.stopBits = (tio.c_cflag & CSTOPB) != 0 ? StopBits::Two : StopBits::One;
    settings.xonChar = static_cast<char>(tio.c_cc[VSTART]);
    settings.xoffChar = static_cast<char>(tio.c_cc[VSTOP]);
    return true;
}

bool SetLineSettings(int fd, const LineSettings& settings) {
    termios wanted{};
    if (tcgetattr(fd, &wanted) != 0 || !ToTermios(settings, wanted) ||
        tcsetattr(fd, TCSANOW, &wanted) != 0) {
        return false;
    }
    termios actual{};
    if (tcgetattr(fd, &actual) != 0 || !SameLine(wanted, actual)) {
        return false;
    }
    HoldModemLine(fd, TIOCM_DTR, settings.dtrControl);
    HoldModemLine(fd, TIOCM_RTS, settings.rtsControl);
    return ChangeRecord(fd, [&](PortRecord& record) { record.kept = settings; });
}

bool ClearLineErrors(int fd) {
    bool askLine = false;
    if (!ChangeRecord(fd, [&](PortRecord& record) { askLine = record.hasErrorCounters; })) {
        return false;
    }
    if (!askLine) {
        return true;
    }
    serial_icounter_struct counters{};
    if (ioctl(fd, TIOCGICOUNT, &counters) != 0) {
        // A line without error counters (a pseudo-terminal) has no errors to clear.
        const bool noCounters = errno == EINVAL || errno == ENOTTY;
        return noCounters &&
               ChangeRecord(fd, [](PortRecord& record) { record.hasErrorCounters = false; });
    }
    return ChangeRecord(fd, [&](PortRecord& record) { record.errorBaseline = counters; });
}

bool Read(int fd, uint8_t* bytes, std::size_t length, std::size_t* transferred) {
    *transferred = 0;
    if (length == 0 ||
        (ChangeRecord(
             fd, [&](PortRecord& record) { *transferred = record.pending.Take(bytes, length); }) &&
         *transferred > 0)) {
        return true;
    }
    const PortTimeouts armed = TimeoutsOf(fd);
    const Deadline deadline(
        SaturatingBudget(armed.readTotalMultiplier, length, armed.readTotalConstant));
    // A short read takes what the line holds beyond it into the read-ahead.
    std::array<uint8_t, ReadAhead::Capacity> chunk{};
    const bool intoChunk = length < chunk.size();
    uint8_t* target = intoChunk ? chunk.data() : bytes;
    const std::size_t wanted = intoChunk ? chunk.size() : length;
    std::size_t count = 0;
    const auto attempt = [&] {
        const ssize_t got = read(fd, target, wanted);
        if (got > 0) {
            count = static_cast<std::size_t>(got);
            return TransferStep::Done;
        }
        if (got == 0) {
            return TransferStep::Failed;  // end of file on a tty: the other side hung up
        }
        if (errno == EINTR) {
            return TransferStep::Again;
        }
        return errno == EAGAIN ? TransferStep::WouldBlock : TransferStep::Failed;
    };
    const auto wait = [&] { return WaitUntilReady(fd, POLLIN, deadline); };
    if (TransferUntil(deadline, attempt, wait) == TransferResult::Failed) {
        return false;
    }
    if (!intoChunk || count == 0) {
        *transferred = count;
        return true;
    }
    *transferred = std::min(count, length);
    std::copy_n(chunk.data(), *transferred, bytes);
    ChangeRecord(fd, [&](PortRecord& record) {
        record.pending.Keep(chunk.data() + *transferred, count - *transferred);
    });
    return true;
}

bool Write(int fd, const uint8_t* bytes, std::size_t length, std::size_t* transferred) {
    *transferred = 0;
    if (length == 0) {
        return true;
    }
    const PortTimeouts armed = TimeoutsOf(fd);
    const Deadline deadline(
        SaturatingBudget(armed.writeTotalMultiplier, length, armed.writeTotalConstant));
    const auto attempt = [&] {
        const ssize_t count = write(fd, bytes + *transferred, length - *transferred);
        if (count > 0) {
            *transferred += static_cast<std::size_t>(count);
            return *transferred == length ? TransferStep::Done : TransferStep::Again;
        }
        if (count < 0 && errno == EINTR) {
            return TransferStep::Again;
        }
        if (count < 0 && errno != EAGAIN) {
            return TransferStep::Failed;
        }
        return TransferStep::WouldBlock;  // the line took nothing
    };
    const auto wait = [&] { return WaitUntilReady(fd, POLLOUT, deadline); };
    return TransferUntil(deadline, attempt, wait) != TransferResult::Failed;
}

bool Flush(int fd) {
    // tcdrain() would wait for ever while the unit holds XOFF; watch the output queue instead.
    const Deadline deadline(TimeoutsOf(fd).writeTotalConstant);
    constexpr auto CheckInterval = std::chrono::milliseconds(1);
    for (;;) {
        int pending = 0;
        if (ioctl(fd, TIOCOUTQ, &pending) != 0) {
            return errno == EINVAL || errno == ENOTTY;
        }
        if (pending <= 0) {
            return true;
        }
        if (deadline.passed()) {
            return false;
        }
        std::this_thread::sleep_for(CheckInterval);
    }
}

bool Purge(int fd) {
    ChangeRecord(fd, [](PortRecord& record) { record.pending.Clear(); });
    return tcflush(fd, TCIOFLUSH) == 0;
}

bool Close(int fd) {
    // Only the record says the number is ours: any other open descriptor may be someone else's.
    // It goes first, so that a port opened meanwhile under the same number keeps its own.
    std::string lockFile;
    if (!ForgetRecord(fd, lockFile)) {
        return false;
    }
    // Unsent output would make close() wait for the line; exclusivity is given back at once,
    // not only when the last descriptor of the device closes.
    tcflush(fd, TCIOFLUSH);
    ioctl(fd, TIOCNXCL);
    // The lock file goes first: once the last descriptor is closed, the node's name may be
    // given to another device (a new pseudo-terminal, an adapter plugged in again), which our
    // lock file must not keep from others while we are still alive.
    port_claim::Release(lockFile);
    // The descriptor is released even when close() reports an error (EIO from an unplugged
    // adapter); the result only tells the caller.
    return close(fd) == 0 || errno == EINTR;
}

}  // namespace serial_device
