// orvatronic-sim as a program: its options, its announcement, and a clean exit on SIGTERM.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "PcPort.h"
#include "TemporaryFolder.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class Program {
  public:
    explicit Program(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), ORVATRONIC_SIM_PROGRAM);
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        int output[2];
        if (pipe(output) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, output[0]);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        close(output[1]);
        output_ = output[0];
    }
    ~Program() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (output_ >= 0) {
            close(output_);
        }
    }

    bool started() const { return pid_ > 0; }
    void signal(int number) { kill(pid_, number); }

    std::string firstLine() {
        std::string line;
        char c = 0;
        while (line.size() < 1000 && read(output_, &c, 1) == 1 && c != '\n') {
            line.push_back(c);
        }
        return line;
    }

    // The exit status, or nothing if the program is still running after the deadline.
    std::optional<int> exitStatus(std::chrono::milliseconds deadline) {
        const Clock::time_point end = Clock::now() + deadline;
        while (Clock::now() < end) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(10ms);
        }
        return std::nullopt;
    }

  private:
    pid_t pid_ = -1;
    int output_ = -1;
};

bool Exists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

TEST(SimulatorProgramTest, AnnouncesServesAndUnplugsOnSigterm) {
    test_support::TemporaryFolder folder;
    Program program({"--dir", folder.path(), "--port", "9", "--device", "orvatronic2"});
    ASSERT_TRUE(program.started());
    const std::string line = program.firstLine();
    EXPECT_EQ(line.rfind("orvatronic-sim: COM9 -> /dev/pts/", 0), 0u) << line;
    EXPECT_NE(line.find("(in " + folder.path() + ")"), std::string::npos) << line;

    sim_test::PcPort port(folder.file("COM9"));
    ASSERT_TRUE(port.isOpen());
    EXPECT_EQ(port.transact("VERSION.HW"), "Orvatronic2 sim");

    program.signal(SIGTERM);
    EXPECT_EQ(program.exitStatus(10s), 0);
    EXPECT_FALSE(Exists(folder.file("COM9")));
}

// The reply to VERSION.HW becomes `wanted` within the deadline (a signal is taken a moment
// after it is sent).
bool ComesToAnswer(sim_test::PcPort& port, const std::string& wanted) {
    const Clock::time_point end = Clock::now() + 10s;
    while (Clock::now() < end) {
        if (port.transact("VERSION.HW") == wanted) {
            return true;
        }
        std::this_thread::sleep_for(10ms);
    }
    return false;
}

TEST(SimulatorProgramTest, SignalsTurnTheChosenFaultOnAndOff) {
    test_support::TemporaryFolder folder;
    Program program({"--dir", folder.path(), "--port", "4", "--signal-fault", "error"});
    ASSERT_TRUE(program.started());
    program.firstLine();
    sim_test::PcPort port(folder.file("COM4"));
    ASSERT_TRUE(port.isOpen());
    EXPECT_EQ(port.transact("VERSION.HW"), "Orvatronic  sim");

    program.signal(SIGUSR1);
    EXPECT_TRUE(ComesToAnswer(port, "Fehler: Stoerung"));
    program.signal(SIGUSR2);
    EXPECT_TRUE(ComesToAnswer(port, "Orvatronic  sim"));

    program.signal(SIGTERM);
    EXPECT_EQ(program.exitStatus(10s), 0);
}

TEST(SimulatorProgramTest, RefusesUnknownOptionsAndMissingFolder) {
    Program unknown({"--colour", "red"});
    EXPECT_EQ(unknown.exitStatus(10s), 2);

    Program nowhere({"--dir", "/nonexistent/folder"});
    EXPECT_EQ(nowhere.exitStatus(10s), 1);
}

}  // namespace
