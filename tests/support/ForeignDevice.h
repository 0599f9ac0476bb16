// Another device on a port, at the far end of a PseudoTerminal: a GPS or a console that sends
// its opening bytes and then `filler` again and again, every `pause`, for ever; or, with no
// filler, a device that stays silent. It listens all the while and notes when a command line
// comes from the port's side. Its lifetime is capped, so that a test of a link that never lets
// go fails instead of hanging.
#pragma once

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "PseudoTerminal.h"

namespace test_support {

class ForeignDevice {
  public:
    ForeignDevice(const PseudoTerminal& pty, std::string opening, std::string filler,
                  std::chrono::milliseconds pause,
                  std::chrono::milliseconds lifetime = std::chrono::seconds(20));
    ~ForeignDevice();
    ForeignDevice(const ForeignDevice&) = delete;
    ForeignDevice& operator=(const ForeignDevice&) = delete;

    // True once a carriage return arrived: the port layer is waiting for a reply.
    bool heardCommand() const { return heardCommand_.load(); }

  private:
    void Run(std::chrono::milliseconds lifetime);
    // Writes what the line takes; the rest of `pending` waits for the next turn.
    void SendSome(std::string& pending);
    void Listen();

    const int farEnd_;
    const int previousFlags_;
    const std::string opening_;
    const std::string filler_;
    const std::chrono::milliseconds pause_;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> heardCommand_{false};
    std::thread thread_;
};

}  // namespace test_support
