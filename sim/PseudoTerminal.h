// The unit's end of the line: the master side of a pseudo-terminal, whose slave side the PC
// opens as its serial port.
//
// The unit keeps a descriptor of the slave open in raw mode for its whole life. The slave is
// therefore raw before the PC configures it (no echo, no line editing of the first commands),
// and the master never sees a hang-up when the PC closes its side.
#pragma once

#include <string>

namespace sim {

class PseudoTerminal {
  public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // False with errorText() when the pseudo-terminal cannot be made.
    bool open();
    // Closes both sides: to the PC this is a pulled cable.
    void close();

    bool isOpen() const { return master_ >= 0; }
    int master() const { return master_; }  // non-blocking
    const std::string& slavePath() const { return slavePath_; }
    const std::string& errorText() const { return error_; }

  private:
    bool fail(const char* what);
    bool openSlaveRaw();

    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
    std::string error_;
};

}  // namespace sim
