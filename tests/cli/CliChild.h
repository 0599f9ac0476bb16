// kalvio-cli run as a program of its own, as a user runs it: its output read through a pipe
// or a pseudo-terminal, ended with a signal like Ctrl+C or a kill.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

class CliChild {
  public:
    enum class Output { Pipe, Terminal };

    CliChild(const std::vector<std::string>& arguments, Output output = Output::Pipe);
    ~CliChild();  // kills the program if it still runs
    CliChild(const CliChild&) = delete;
    CliChild& operator=(const CliChild&) = delete;

    bool started() const { return pid_ > 0; }
    void signal(int number) const;
    // Everything the program wrote so far.
    std::string output();
    // Waits until the output holds `text` or the deadline passed.
    bool waitForOutput(const std::string& text,
                       std::chrono::milliseconds deadline = std::chrono::seconds(20));
    // The exit status, or nothing when it did not end in time or ended by a signal.
    std::optional<int> waitForExit(std::chrono::milliseconds deadline = std::chrono::seconds(20));

  private:
    void readAvailable();

    pid_t pid_ = -1;
    int reading_ = -1;
    std::string output_;
    bool reaped_ = false;
    int status_ = 0;
};
