// Ports that another program uses without holding them: a process's terminal, a kernel
// console, a port named by a live lock file. None of them is opened; our own lock file lives
// exactly as long as our hold on the port.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>

#include "ComPort.h"
#include "HostPlacesOverride.h"
#include "KernelConsole.h"
#include "LivingProcess.h"
#include "LockFiles.h"
#include "ProcessFolder.h"
#include "PseudoTerminal.h"
#include "TemporaryFolder.h"
#include "TerminalSession.h"
#include "UnprivilegedChild.h"
#include "UucpLock.h"
#include "WaitUntil.h"
#include "WaitingChild.h"

using test_support::HostPlacesOverride;
using test_support::PortFolderOverride;
using test_support::PseudoTerminal;
using test_support::TemporaryFolder;

namespace {

constexpr uint32_t Port = 5;

dev_t DeviceOf(const std::string& path) {
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_rdev;
}

std::string DeviceNumberText(const std::string& path) {
    const dev_t device = DeviceOf(path);
    return std::to_string(major(device)) + ":" + std::to_string(minor(device));
}

std::string OwnLockContent() {
    char text[16];
    std::snprintf(text, sizeof text, "%10d\n", static_cast<int>(getpid()));
    return text;
}

bool Exists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

// Notes whether anything opens the file from now on.
class OpenWatch {
  public:
    explicit OpenWatch(const std::string& path)
        : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)),
          watching_(fd_ >= 0 && inotify_add_watch(fd_, path.c_str(), IN_OPEN) >= 0) {}
    ~OpenWatch() { close(fd_); }
    bool watching() const { return watching_; }
    bool opened() const {
        char events[4096];
        return read(fd_, events, sizeof events) > 0;
    }

  private:
    int fd_;
    bool watching_;
};

class PortClaimTest : public ::testing::Test {
  protected:
    host_places::Places places() const {
        host_places::Places places;
        places.lockFolders = {lockFolder_.path()};
        return places;
    }
    std::string lockFile() const {
        return lockFolder_.file(uucp_lock::LockFileName(pty_.slavePath()));
    }
    void TearDown() override { ComPort_Close(PortHandle); }

    TemporaryFolder folder_;
    TemporaryFolder lockFolder_;
    TemporaryFolder kernelFolder_;  // stands in for the process and device folders
    PortFolderOverride override_{folder_.path()};
    PseudoTerminal pty_{folder_, Port};
    HostPlacesOverride placesOverride_{places()};
};

// Each row makes the port another program's; the port must not even be opened.
TEST_F(PortClaimTest, PortThatAnotherProgramUsesIsNeverOpened) {
    struct Case {
        const char* name;
        std::function<void()> makeUsed;
    };
    const std::string slave = pty_.slavePath();
    const Case cases[] = {
        {"lock file of this process",
         [this] { test_support::WriteLockFile(lockFile(), getpid()); }},
        {"four-byte lock file of this process",
         [this] { test_support::WriteLockFile(lockFile(), getpid(), true); }},
        {"lock file that says nothing readable",
         [this] { std::ofstream(lockFile()) << "locked\n"; }},
        {"listed in the kernel's consoles",
         [this, slave] {
             host_places::Places changed = places();
             changed.procRoot = kernelFolder_.path();
             host_places::Set(changed);
             std::ofstream(kernelFolder_.file("consoles"))
                 << "tty0                 -WU (E  p  )    4:1\n"
                 << "ttyS0                -W- (E  p a)    " << DeviceNumberText(slave) << "\n";
         }},
        {"named as the active console",
         [this, slave] {
             host_places::Places changed = places();
             changed.sysRoot = kernelFolder_.path();
             host_places::Set(changed);
             const std::string ttyClass = kernelFolder_.file("class/tty/");
             mkdir(kernelFolder_.file("class").c_str(), 0755);
             mkdir(ttyClass.c_str(), 0755);
             mkdir((ttyClass + "console").c_str(), 0755);
             mkdir((ttyClass + "ttyS0").c_str(), 0755);
             std::ofstream(ttyClass + "console/active") << "tty0 ttyS0\n";
             std::ofstream(ttyClass + "ttyS0/dev") << DeviceNumberText(slave) << "\n";
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.makeUsed();
        OpenWatch watch(slave);
        ASSERT_TRUE(watch.watching());
        EXPECT_EQ(ComPort_Open(Port), InvalidPortHandle);
        EXPECT_FALSE(watch.opened()) << "the port was opened";
        unlink(lockFile().c_str());
        host_places::Set(places());
    }
}

TEST_F(PortClaimTest, TerminalOfAnotherProcessIsNeverOpened) {
    test_support::TerminalSession session(pty_.slavePath());
    ASSERT_TRUE(session.started());
    OpenWatch watch(pty_.slavePath());
    ASSERT_TRUE(watch.watching());
    EXPECT_EQ(ComPort_Open(Port), InvalidPortHandle);
    EXPECT_FALSE(watch.opened()) << "the port was opened";
    EXPECT_FALSE(Exists(lockFile()));
}

TEST_F(PortClaimTest, LockFileOfALivingProgramRefusesThePortAndStays) {
    test_support::LivingProcess other;
    test_support::WriteLockFile(lockFile(), other.pid());
    EXPECT_EQ(ComPort_Open(Port), InvalidPortHandle);
    EXPECT_TRUE(Exists(lockFile())) << "another program's lock file was removed";
}

TEST_F(PortClaimTest, StaleLockFileBlocksNothingAndMakesWayForOurs) {
    for (const bool binary : {false, true}) {
        SCOPED_TRACE(binary ? "four bytes" : "ten characters");
        test_support::WriteLockFile(lockFile(), test_support::EndedProcessId(), binary);
        PortHandle = ComPort_Open(Port);
        ASSERT_NE(PortHandle, InvalidPortHandle);
        EXPECT_EQ(test_support::ReadWholeFile(lockFile()), OwnLockContent());
        EXPECT_EQ(ComPort_Close(PortHandle), 0);
    }
}

// Its files are closed already, though its id still answers until it is collected.
TEST_F(PortClaimTest, LockFileOfAnEndedButUncollectedProcessBlocksNothing) {
    const pid_t ended = fork();
    if (ended == 0) {
        _exit(0);
    }
    ASSERT_TRUE(
        test_support::WaitUntil([ended] { return process_folder::IsZombie("/proc", ended); }));
    test_support::WriteLockFile(lockFile(), ended);
    PortHandle = ComPort_Open(Port);
    EXPECT_NE(PortHandle, InvalidPortHandle);
    waitpid(ended, nullptr, 0);
}

TEST_F(PortClaimTest, OwnLockFileLivesExactlyAsLongAsTheHold) {
    PortHandle = ComPort_Open(Port);
    ASSERT_NE(PortHandle, InvalidPortHandle);
    EXPECT_EQ(test_support::ReadWholeFile(lockFile()), OwnLockContent());
    EXPECT_EQ(ComPort_Open(Port), InvalidPortHandle) << "a second open of the held port";
    EXPECT_TRUE(Exists(lockFile())) << "the refused second open took the first one's lock file";
    EXPECT_EQ(ComPort_Close(PortHandle), 0);
    EXPECT_FALSE(Exists(lockFile()));

    // Only a file that still names us goes with the port.
    PortHandle = ComPort_Open(Port);
    ASSERT_NE(PortHandle, InvalidPortHandle);
    test_support::LivingProcess other;
    test_support::WriteLockFile(lockFile(), other.pid());
    EXPECT_EQ(ComPort_Close(PortHandle), 0);
    EXPECT_TRUE(Exists(lockFile())) << "another program's lock file was removed";
}

// Where the lock folder lets a normal user write nothing (or is missing), the port is used all
// the same: the other checks still keep us off ports in use.
TEST_F(PortClaimTest, LockFolderWithoutWriteAccessRefusesNothing) {
    if (!test_support::CanDropPrivileges()) {
        GTEST_SKIP() << "needs root, to open the port as the user nobody";
    }
    test_support::GrantToNobody(folder_.path());
    test_support::GrantToNobody(pty_.slavePath());
    chmod(lockFolder_.path().c_str(), 0755);
    const int opened = test_support::RunAsNobody([] {
        const PortHandleValue handle = ComPort_Open(Port);
        return handle != InvalidPortHandle && ComPort_Close(handle) == 0 ? 0 : 1;
    });
    EXPECT_EQ(opened, 0);
    EXPECT_FALSE(Exists(lockFile()));

    host_places::Places missing = places();
    missing.lockFolders = {lockFolder_.file("missing")};
    host_places::Set(missing);
    PortHandle = ComPort_Open(Port);
    EXPECT_NE(PortHandle, InvalidPortHandle);
}

TEST(ProcessFolder, ControllingTerminalIsCountedFromTheLastBracket) {
    const struct {
        const char* stat;
        std::optional<dev_t> terminal;
    } cases[] = {
        {"1234 (bash) S 1 1234 1234 34816 1234 4194304 0", makedev(136, 0)},
        {"1234 (a) S 1 2 3 4) R 1 1234 1234 34817 -1 0", makedev(136, 1)},
        {"1234 (x (y)) S 1 1 1 1089 1 0", makedev(4, 65)},
        {"1234 (minor 300) S 1 1 1 1083436 1 0", makedev(136, 300)},
        {"1234 (kworker/0:1) I 2 0 0 0 -1 69238880", std::nullopt},
        {"1234 (cut) S 1", std::nullopt},
        {"no brackets at all 34816", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(process_folder::ControllingTerminal(c.stat), c.terminal) << c.stat;
    }
}

TEST(UucpLock, OwnerIsReadInBothForms) {
    const int32_t binary = 4242;
    const struct {
        std::string content;
        std::optional<pid_t> owner;
    } cases[] = {
        {"      4242\n", 4242},
        {"4242", 4242},
        {std::string(reinterpret_cast<const char*>(&binary), sizeof binary), 4242},
        {"", std::nullopt},
        {"\n", std::nullopt},
        {"0000000000\n", std::nullopt},
        {"42 42\n", std::nullopt},
        {"4242x\n", std::nullopt},
        {"99999999999999\n", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(uucp_lock::ParseOwner(c.content), c.owner) << c.content;
    }
}

TEST(UucpLock, FileIsNamedAfterTheDeviceNode) {
    EXPECT_EQ(uucp_lock::LockFileName("/dev/ttyUSB0"), "LCK..ttyUSB0");
    TemporaryFolder folder;
    PseudoTerminal pty(folder, 3);
    std::string node = pty.slavePath().substr(std::string("/dev/").size());
    EXPECT_EQ(uucp_lock::LockFileName(folder.file("COM3")), "LCK.." + node.replace(3, 1, "_"))
        << "a link is followed to the node, and a folder below /dev joined with _";
}

TEST(KernelConsole, DeviceNumbersAreReadExactly) {
    EXPECT_EQ(kernel_console::ParseDeviceNumber("4:64"), makedev(4, 64));
    EXPECT_EQ(kernel_console::ParseDeviceNumber("4:64x"), std::nullopt);
    EXPECT_EQ(kernel_console::ParseDeviceNumber("(EC p a)"), std::nullopt);
    EXPECT_EQ(kernel_console::ParseDeviceNumber(""), std::nullopt);
}

}  // namespace
