#include "ComPort.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/time.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "PortFolderFixture.h"
#include "PseudoTerminal.h"
#include "SerialDevice.h"
#include "UnprivilegedChild.h"
#include "WaitUntil.h"

using namespace std::chrono_literals;
using test_support::PseudoTerminal;
using test_support::WaitUntil;

namespace {

using Clock = std::chrono::steady_clock;

std::chrono::milliseconds ElapsedSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
}

// Generous bound for "returns at once" and "returns after its time-out": catches hangs
// without failing on a loaded machine.
constexpr auto HangBound = 3000ms;

class ComPortTest : public test_support::PortFolderFixture {
  protected:
    void TearDown() override {
        if (handle_ != InvalidPortHandle) {
            ComPort_Close(handle_);
        }
    }

    PortHandleValue openConfigured(uint32_t portNumber) {
        EXPECT_TRUE(test_support::OpenConfigured(portNumber, handle_));
        return handle_;
    }

    PortHandleValue handle_ = InvalidPortHandle;
};

TEST(ComPortNames, NineAndBelowPlainTenAndAboveInDeviceNamespace) {
    const std::pair<uint32_t, const char*> cases[] = {
        {1, "COM1"}, {9, "COM9"}, {10, "\\\\.\\COM10"}, {256, "\\\\.\\COM256"}};
    for (const auto& [number, expected] : cases) {
        char name[100];
        ComPort_FormatOpenName(number, name);
        EXPECT_STREQ(name, expected) << number;
    }
}

TEST_F(ComPortTest, OpensPortsAboveNineThroughTheDeviceNamespaceOnly) {
    PseudoTerminal pty(folder_, 10);
    const int plain = serial_device::OpenExclusive("COM10");
    EXPECT_EQ(plain, -1) << "the plain name reaches COM1 to COM9 only";
    handle_ = ComPort_Open(10);
    EXPECT_NE(handle_, InvalidPortHandle);
}

TEST_F(ComPortTest, MissingPortGivesInvalidHandle) {
    EXPECT_EQ(ComPort_Open(3), InvalidPortHandle);
}

TEST_F(ComPortTest, EntryThatIsNoTerminalIsNotEvenOpened) {
    const std::string entry = folder_.file("COM4");
    std::ofstream(entry) << "not a port";
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, entry.c_str(), IN_OPEN), 0);

    EXPECT_EQ(ComPort_Open(4), InvalidPortHandle);

    char events[4096];
    EXPECT_LT(read(watch, events, sizeof events), 0) << "the port layer opened the entry";
    close(watch);
}

TEST_F(ComPortTest, PortHeldByAnotherOpenIsRefused) {
    PseudoTerminal pty(folder_, 5);
    handle_ = ComPort_Open(5);
    ASSERT_NE(handle_, InvalidPortHandle);
    EXPECT_EQ(ComPort_Open(5), InvalidPortHandle);
}

TEST_F(ComPortTest, PortLockedByAnotherProgramIsRefused) {
    PseudoTerminal pty(folder_, 5);
    const int other = open(pty.slavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(other, 0);
    ASSERT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);
    EXPECT_EQ(ComPort_Open(5), InvalidPortHandle);
    close(other);
    handle_ = ComPort_Open(5);
    EXPECT_NE(handle_, InvalidPortHandle);
}

// Root passes every exclusivity check, so the second start is tried as a normal user. The far end
// stays open throughout, as the simulated unit keeps it.
TEST_F(ComPortTest, PortLeftOpenAtExitOpensAgainForANormalUser) {
    if (!test_support::CanDropPrivileges()) {
        GTEST_SKIP() << "needs root, to run the two starts as the user nobody";
    }
    PseudoTerminal pty(folder_, 5);
    test_support::GrantToNobody(folder_.path());
    test_support::GrantToNobody(pty.slavePath());
    const auto openAndExitWithPortOpen = [] {
        return ComPort_Open(5) != InvalidPortHandle ? 0 : 1;
    };
    ASSERT_EQ(test_support::RunAsNobody(openAndExitWithPortOpen), 0) << "first start";
    EXPECT_EQ(test_support::RunAsNobody(openAndExitWithPortOpen), 0) << "second start";
}

TEST_F(ComPortTest, ClosedPortCanBeOpenedAgain) {
    PseudoTerminal pty(folder_, 5);
    for (int round = 0; round < 3; ++round) {
        PortHandle = ComPort_Open(5);
        ASSERT_NE(PortHandle, InvalidPortHandle) << "round " << round;
        EXPECT_EQ(ComPort_Close(PortHandle), 0);
        EXPECT_EQ(PortHandle, InvalidPortHandle);
    }
}

// A number the layer did not open may belong to anyone (the closed port's number handed out
// again): it is left open, and PortHandle lets go of it all the same.
TEST_F(ComPortTest, CloseNeverClosesWhatTheLayerDidNotOpenAndAlwaysLetsGoOfTheHandle) {
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    PortHandle = pipeEnds[0];
    EXPECT_EQ(ComPort_Close(PortHandle), -1);
    EXPECT_EQ(PortHandle, InvalidPortHandle);
    EXPECT_NE(fcntl(pipeEnds[0], F_GETFD), -1) << "the layer closed a descriptor not its own";
    close(pipeEnds[0]);
    close(pipeEnds[1]);
}

TEST_F(ComPortTest, CloseOfInvalidHandleSucceeds) {
    EXPECT_EQ(ComPort_Close(InvalidPortHandle), 0);
}

TEST_F(ComPortTest, ConfigurePutsTheLineIntoTheUnitsSettings) {
    PseudoTerminal pty(folder_, 5);
    openConfigured(5);
    termios line{};
    ASSERT_EQ(tcgetattr(handle_, &line), 0);

    EXPECT_EQ(cfgetispeed(&line), B115200);
    EXPECT_EQ(cfgetospeed(&line), B115200);
    EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(line.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(line.c_cflag & (CREAD | CLOCAL), static_cast<tcflag_t>(CREAD | CLOCAL));
    EXPECT_EQ(line.c_iflag & (IXON | IXOFF), static_cast<tcflag_t>(IXON | IXOFF));
    EXPECT_EQ(line.c_iflag & (IXANY | ICRNL | INLCR | IGNCR | INPCK | ISTRIP), 0u);
    EXPECT_NE(line.c_iflag & IGNBRK, 0u);
    EXPECT_EQ(line.c_oflag & OPOST, 0u);
    EXPECT_EQ(line.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(line.c_cc[VSTART], 0x11);
    EXPECT_EQ(line.c_cc[VSTOP], 0x13);

    LineSettings settings;
    ASSERT_TRUE(serial_device::GetLineSettings(handle_, settings));
    EXPECT_EQ(settings.dtrControl, LineControl::Disabled);
    EXPECT_EQ(settings.rtsControl, LineControl::Disabled);
    EXPECT_EQ(settings.xoffLimit, 1024);
    EXPECT_EQ(settings.xonLimit, 0);
    EXPECT_TRUE(settings.transmitContinuesAfterXoff);
}

TEST_F(ComPortTest, ConfigureReportsTheStepThatFailed) {
    PseudoTerminal pty(folder_, 5);
    EXPECT_EQ(ComPort_Configure(InvalidPortHandle, 115200), -1);
    handle_ = ComPort_Open(5);
    ASSERT_NE(handle_, InvalidPortHandle);
    EXPECT_EQ(ComPort_Configure(handle_, 12345), -4) << "a baud rate the line cannot run";
}

TEST_F(ComPortTest, CharacterDeviceThatIsNoTerminalCannotBeOpened) {
    ASSERT_EQ(symlink("/dev/null", folder_.file("COM6").c_str()), 0);
    EXPECT_EQ(ComPort_Open(6), InvalidPortHandle);
}

TEST_F(ComPortTest, OpenDiscardsWhatArrivedBefore) {
    PseudoTerminal pty(folder_, 5);
    openConfigured(5);
    pty.send("stale");
    ComPort_Close(handle_);
    handle_ = ComPort_Open(5);
    ASSERT_NE(handle_, InvalidPortHandle);
    uint8_t byte = 0;
    EXPECT_EQ(ComPort_ReadByte(handle_, &byte, 100), -4);
}

TEST_F(ComPortTest, ReadByteReturnsTheByteThatArrived) {
    PseudoTerminal pty(folder_, 5);
    openConfigured(5);
    pty.send(std::string("\x02Z", 2));
    uint8_t byte = 0;
    EXPECT_EQ(ComPort_ReadByte(handle_, &byte, 1000), 1);
    EXPECT_EQ(byte, 0x02);
    EXPECT_EQ(ComPort_ReadByte(handle_, &byte, 1000), 1);
    EXPECT_EQ(byte, 'Z');
}

// A reply is read in one call and handed out byte by byte; a purge discards what was read
// ahead as it discards the driver's queue.
TEST_F(ComPortTest, BytesReadAheadComeInOrderAndGoWithAPurge) {
    PseudoTerminal pty(folder_, 5);
    openConfigured(5);
    const auto queued = [this](int count) {
        return WaitUntil([this, count] {
            int pending = 0;
            return ioctl(handle_, FIONREAD, &pending) == 0 && pending >= count;
        });
    };
    uint8_t byte = 0;
    pty.send("ABC");
    ASSERT_TRUE(queued(3));
    std::string read;
    for (int i = 0; i < 3 && ComPort_ReadByte(handle_, &byte, 1000) == 1; ++i) {
        read += static_cast<char>(byte);
    }
    EXPECT_EQ(read, "ABC");

    pty.send("DEF");
    ASSERT_TRUE(queued(3));
    ASSERT_EQ(ComPort_ReadByte(handle_, &byte, 1000), 1);
    EXPECT_EQ(byte, 'D');
    EXPECT_TRUE(serial_device::Purge(handle_));
    EXPECT_EQ(ComPort_ReadByte(handle_, &byte, 100), -4);
}

TEST_F(ComPortTest, ReadByteOnSilentLineTimesOutAfterItsTimeout) {
    PseudoTerminal pty(folder_, 5);
    openConfigured(5);
    uint8_t byte = 0;
    const auto start = Clock::now();
    EXPECT_EQ(ComPort_ReadByte(handle_, &byte, 200), -4);
    EXPECT_GE(ElapsedSince(start), 200ms);
    EXPECT_LT(ElapsedSince(start), HangBound);
}

void IgnoreSignal(int) {}

TEST_F(ComPortTest, SignalsNeitherShortenNorStretchTheWait) {
    PseudoTerminal pty(folder_, 5);
    openConfigured(5);
    struct sigaction action {};
    action.sa_handler = IgnoreSignal;  // no SA_RESTART: every tick interrupts poll()
    struct sigaction previous {};
    ASSERT_EQ(sigaction(SIGALRM, &action, &previous), 0);
    itimerval ticks{{0, 20000}, {0, 20000}};
    setitimer(ITIMER_REAL, &ticks, nullptr);

    uint8_t byte = 0;
    const auto start = Clock::now();
    const int result = ComPort_ReadByte(handle_, &byte, 300);
    const auto elapsed = ElapsedSince(start);

    itimerval off{};
    setitimer(ITIMER_REAL, &off, nullptr);
    sigaction(SIGALRM, &previous, nullptr);
    EXPECT_EQ(result, -4);
    EXPECT_GE(elapsed, 300ms);
    EXPECT_LT(elapsed, HangBound);
}

TEST_F(ComPortTest, InvalidHandleFailsAtTheFirstCall) {
    uint8_t byte = 0;
    EXPECT_EQ(ComPort_ReadByte(InvalidPortHandle, &byte, 100), -1);
    const uint8_t data[] = {'X'};
    EXPECT_EQ(ComPort_WriteBlock(InvalidPortHandle, data, 1, 100), -1);
}

TEST_F(ComPortTest, EmptyBlockIsNotWrittenAtAll) {
    // On the invalid handle any call into the system would fail: 0 shows that none was made.
    EXPECT_EQ(ComPort_WriteBlock(InvalidPortHandle, nullptr, 0, 100), 0);
}

TEST_F(ComPortTest, WriteBlockDeliversEveryByteUnchanged) {
    PseudoTerminal pty(folder_, 5);
    openConfigured(5);
    const std::string command = "START.GENERATOR 10 20\r\n";
    EXPECT_EQ(ComPort_WriteBlock(handle_, reinterpret_cast<const uint8_t*>(command.data()),
                                 static_cast<uint32_t>(command.size()), 1000),
              static_cast<int>(command.size()));
    EXPECT_EQ(pty.receiveUntil('\n', 2000ms), command);
}

TEST_F(ComPortTest, UnitHoldingXoffCannotHangAWrite) {
    PseudoTerminal pty(folder_, 5);
    openConfigured(5);
    // DC3 asks the PC to stop sending; once the marker behind it has arrived, the line
    // discipline has acted on the DC3 too.
    pty.send("\x13M");
    int queued = 0;
    const auto waitStart = Clock::now();
    while (queued == 0 && ElapsedSince(waitStart) < HangBound) {
        ioctl(handle_, FIONREAD, &queued);
        std::this_thread::yield();
    }
    ASSERT_EQ(queued, 1);
    const std::string block(8192, 'x');
    const auto start = Clock::now();
    const int result = ComPort_WriteBlock(handle_, reinterpret_cast<const uint8_t*>(block.data()),
                                          static_cast<uint32_t>(block.size()), 200);
    EXPECT_EQ(result, -4);
    EXPECT_LT(ElapsedSince(start), HangBound);
}

TEST_F(ComPortTest, VanishedDeviceFailsAtOnce) {
    PseudoTerminal pty(folder_, 5);
    openConfigured(5);
    pty.hangUp();
    uint8_t byte = 0;
    auto start = Clock::now();
    EXPECT_LT(ComPort_ReadByte(handle_, &byte, 5000), 0);
    EXPECT_LT(ElapsedSince(start), HangBound);
    const uint8_t data[] = {'X', '\r'};
    start = Clock::now();
    const int written = ComPort_WriteBlock(handle_, data, 2, 5000);
    EXPECT_TRUE(written == -1 || written == -3) << written;
    EXPECT_LT(ElapsedSince(start), HangBound);
    EXPECT_EQ(ComPort_Close(handle_), 0);
    handle_ = InvalidPortHandle;
}

TEST_F(ComPortTest, VanishingWhileWaitingEndsTheWait) {
    PseudoTerminal pty(folder_, 5);
    openConfigured(5);
    std::thread unplug([&pty] {
        std::this_thread::sleep_for(100ms);
        pty.hangUp();
    });
    uint8_t byte = 0;
    const auto start = Clock::now();
    EXPECT_EQ(ComPort_ReadByte(handle_, &byte, 10000), -3);
    EXPECT_LT(ElapsedSince(start), 5000ms);
    unplug.join();
}

}  // namespace
