// The PC's end of the line, as plainly as possible: opens the published COMn, writes commands
// ended by CR and reads what comes back, every wait bounded by a deadline.
#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace sim_test {

using namespace std::chrono_literals;

struct Reception {
    std::string bytes;
    bool endedByEtx = false;
    bool hungUp = false;  // the line reported hang-up, end of file or EIO
};

class PcPort {
  public:
    explicit PcPort(const std::string& path);
    ~PcPort();
    PcPort(const PcPort&) = delete;
    PcPort& operator=(const PcPort&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    bool sendBytes(const std::string& bytes);
    bool send(const std::string& command) { return sendBytes(command + "\r"); }

    // Reads until an ETX arrived, the line hung up, or the deadline passed.
    Reception receiveFrame(std::chrono::milliseconds deadline = 5s);
    // Reads everything that arrives within the window (for checks that nothing comes).
    Reception receiveFor(std::chrono::milliseconds window);
    // Sends the command and returns the payload of the reply frame, if one came.
    std::optional<std::string> transact(const std::string& command,
                                        std::chrono::milliseconds deadline = 5s);

    // The text between the first STX and the following ETX.
    static std::optional<std::string> payloadOf(const std::string& bytes);

  private:
    Reception receive(std::chrono::milliseconds deadline, bool stopAtEtx);

    int fd_ = -1;
};

}  // namespace sim_test
