#include "CliChild.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "WaitUntil.h"

extern char** environ;

CliChild::CliChild(const std::vector<std::string>& arguments, Output output) {
    int childEnd = -1;
    if (output == Output::Pipe) {
        int ends[2];
        if (pipe2(ends, O_CLOEXEC) != 0) {
            return;
        }
        reading_ = ends[0];
        childEnd = ends[1];
    } else if (openpty(&reading_, &childEnd, nullptr, nullptr, nullptr) != 0) {
        return;
    }
    fcntl(reading_, F_SETFL, O_NONBLOCK);
    fcntl(reading_, F_SETFD, FD_CLOEXEC);
    std::vector<char*> argv;
    std::string program = KALVIO_CLI_PROGRAM;
    argv.push_back(program.data());
    std::vector<std::string> copies = arguments;
    for (std::string& argument : copies) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, childEnd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, childEnd, STDERR_FILENO);
    // The test's own signal mask and handlers are not the program's.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    sigset_t defaults;
    sigfillset(&defaults);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    if (posix_spawn(&pid_, program.c_str(), &actions, &attributes, argv.data(), environ) != 0) {
        pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(childEnd);
}

CliChild::~CliChild() {
    if (pid_ > 0 && !reaped_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (reading_ >= 0) {
        close(reading_);
    }
}

void CliChild::signal(int number) const {
    if (pid_ > 0 && !reaped_) {
        kill(pid_, number);
    }
}

void CliChild::readAvailable() {
    char bytes[4096];
    ssize_t got = 0;
    while (reading_ >= 0 && (got = read(reading_, bytes, sizeof bytes)) > 0) {
        output_.append(bytes, static_cast<std::size_t>(got));
    }
}

std::string CliChild::output() {
    readAvailable();
    return output_;
}

bool CliChild::waitForOutput(const std::string& text, std::chrono::milliseconds deadline) {
    return test_support::WaitUntil([&] { return output().find(text) != std::string::npos; },
                                   deadline);
}

std::optional<int> CliChild::waitForExit(std::chrono::milliseconds deadline) {
    const bool ended = test_support::WaitUntil(
        [&] {
            readAvailable();
            return reaped_ || waitpid(pid_, &status_, WNOHANG) == pid_;
        },
        deadline);
    if (!ended) {
        return std::nullopt;
    }
    reaped_ = true;
    readAvailable();
    if (!WIFEXITED(status_)) {
        return std::nullopt;
    }
    return WEXITSTATUS(status_);
}
