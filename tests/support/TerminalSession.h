// A process in a session of its own whose controlling terminal is the port (a login prompt, a
// shell), for as long as the object lives.
#pragma once

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <string>

#include "WaitingChild.h"

namespace test_support {

class TerminalSession : public WaitingChild {
  public:
    explicit TerminalSession(const std::string& terminalPath)
        : WaitingChild([path = terminalPath.c_str()] {
              if (setsid() < 0) {
                  return false;
              }
              const int fd = open(path, O_RDWR | O_NOCTTY);
              return fd >= 0 && ioctl(fd, TIOCSCTTY, 0) == 0;
          }) {}

    // True once the child has made the port its controlling terminal.
    bool started() const { return ready(); }
};

}  // namespace test_support
