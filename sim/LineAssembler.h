// Cuts the bytes from the PC into command lines at each carriage return.
//
// Flow control bytes (DC1, DC3) and line feeds are not part of any command and are dropped. The
// line is bounded: a longer one is cut off, discarded up to its carriage return, and reported as
// overlong so the unit can refuse it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace sim {

struct AssembledLine {
    std::string text;  // at most the limit; the beginning of an overlong line
    bool overlong = false;
};

class LineAssembler {
  public:
    static constexpr std::size_t DefaultLimit = 2000;

    explicit LineAssembler(std::size_t limit = DefaultLimit);

    // A line when this byte was its carriage return.
    std::optional<AssembledLine> feed(uint8_t byte);
    void reset();

  private:
    std::size_t limit_;
    std::string text_;
    bool overlong_ = false;
};

}  // namespace sim
