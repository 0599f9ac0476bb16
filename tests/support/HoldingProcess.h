// Another process that opens the port and locks it as Kalvio does, for as long as the object
// lives.
#pragma once

#include <fcntl.h>
#include <sys/file.h>

#include <string>

#include "WaitingChild.h"

namespace test_support {

class HoldingProcess : public WaitingChild {
  public:
    explicit HoldingProcess(const std::string& path)
        : WaitingChild([path = path.c_str()] {
              const int fd = open(path, O_RDWR | O_NOCTTY | O_NONBLOCK);
              return fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0;
          }) {}

    // True once the child has opened and locked the port.
    bool held() const { return ready(); }
};

}  // namespace test_support
