// The named lines and the rotary switch in the two words of the "IO" reply.
//
// Word 1 carries the inputs and the rotary switch, word 2 the outputs; the Orvatronic2 moved
// its start and 24 V inputs into word 2. Each speed input is a pair A/B driven in opposite
// senses, so only its A side has a bit. Plain data and pure functions, for any program that
// shows the unit's lines as text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ReplyParser.h"

namespace io_lines {

struct LineBit {
    int word;  // 1 or 2; 0 where the unit type has no such line
    unsigned bit;
};

struct NamedLine {
    const char* name;
    LineBit orvatronic;
    LineBit orvatronic2;
};

// In the order the start and speed pages show them.
extern const NamedLine Lines[9];

struct LineState {
    const char* name;
    bool set;
};

// The lines that the device type has, each set or clear; none for an unknown device type.
std::vector<LineState> DecodeLines(const reply_parser::IoWords& words,
                                   const std::string& deviceType);

enum class SwitchServes { Neither, Start, Speed };

struct RotarySwitch {
    SwitchServes serves;  // Neither also when both role bits are set
    unsigned position;    // 0 to 15, from the four code lines
};

// Only the Orvatronic has a rotary switch; its state is in word 1.
RotarySwitch DecodeSwitch(uint32_t word1);

}  // namespace io_lines
