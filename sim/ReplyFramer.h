// Turns a reply payload into the bytes the unit sends: STX, payload, ETX, or the damaged frame
// that the active fault asks for.
//
// No byte of a frame is ever DC1 or DC3: the PC's line treats them as flow control and would
// swallow them. STX and ETX never appear inside a payload.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "SimulatedUnit.h"

namespace sim {

constexpr uint8_t Stx = 0x02;
constexpr uint8_t Etx = 0x03;
constexpr uint8_t Xon = 0x11;
constexpr uint8_t Xoff = 0x13;

class ReplyFramer {
  public:
    // Sent before the STX under Fault::GarbageBeforeStx.
    static constexpr const char* Garbage = "AB";

    // The bytes for payload under fault; empty when the fault sends no frame at all.
    static std::string frame(std::string_view payload, Fault fault, std::size_t oversizedBytes);
    // The payload with every framing or flow control byte replaced by '?'.
    static std::string clean(std::string_view payload);
    // Printable text of the given length, for an oversized reply.
    static std::string filler(std::size_t length);
};

}  // namespace sim
