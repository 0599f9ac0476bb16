// A pseudo-terminal published as COMn in a temporary port folder, with the test holding the
// far end (the unit's side of the cable).
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "TemporaryFolder.h"

namespace test_support {

class PseudoTerminal {
  public:
    // Creates the pty in raw mode and links <folder>/COM<portNumber> to its slave.
    PseudoTerminal(const TemporaryFolder& folder, uint32_t portNumber);
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int farEnd() const { return master_; }
    const std::string& slavePath() const { return slavePath_; }

    void send(const std::string& bytes) const;
    // Everything that arrives within the deadline or up to and including `until`.
    std::string receiveUntil(char until, std::chrono::milliseconds deadline) const;
    // Unplugs the cable: the port's side sees a hang-up.
    void hangUp();

  private:
    int master_ = -1;
    std::string slavePath_;
    std::string entryPath_;
};

}  // namespace test_support
