// A child process that does one small thing and then waits until the object goes (or, at the
// latest, a minute later): the other program that uses a port in the port-claim tests.
#pragma once

#include <sys/types.h>

#include <functional>

namespace test_support {

class WaitingChild {
  public:
    // `setUp` runs in the child, right after the fork: async-signal-safe calls only.
    explicit WaitingChild(const std::function<bool()>& setUp);
    ~WaitingChild();
    WaitingChild(const WaitingChild&) = delete;
    WaitingChild& operator=(const WaitingChild&) = delete;

    // True once the child's set-up succeeded.
    bool ready() const { return ready_; }
    pid_t pid() const { return pid_; }

  private:
    pid_t pid_ = -1;
    int release_ = -1;
    bool ready_ = false;
};

// The id of a process that has ended and been reaped.
pid_t EndedProcessId();

}  // namespace test_support
