// Where each line and switch state sits in the two words of the "IO" reply.
//
// Word 1 carries the inputs and the rotary switch, word 2 the outputs; the Orvatronic2 moved its
// start and 24 V inputs into word 2. Keep every position here so the model and the tests agree.
#pragma once

#include <cstdint>

namespace sim::io_bits {

struct IoLine {
    int word;      // 1 or 2
    unsigned bit;  // 0..31
};

constexpr IoLine SpeedInput1A{1, 14};
constexpr IoLine SpeedInput2A{1, 30};
constexpr IoLine StartInputOrvatronic{1, 19};
constexpr IoLine StartInputOrvatronic2{2, 8};
constexpr IoLine SpeedInput24VOrvatronic{1, 20};
constexpr IoLine SpeedInput24VOrvatronic2{2, 13};

constexpr IoLine SwitchServesStart{1, 21};
constexpr IoLine SwitchServesSpeed{1, 22};
// The switch's four code lines, weights 1, 2, 4 and 8 on consecutive bits.
constexpr IoLine SwitchCodeWeight1{1, 23};
constexpr unsigned SwitchCodeLines = 4;

constexpr IoLine StartOutput{2, 25};
constexpr IoLine SpeedOutput1A{2, 22};
constexpr IoLine SpeedOutput1B{2, 21};
constexpr IoLine SpeedOutput2A{2, 20};
constexpr IoLine SpeedOutput2B{2, 19};

constexpr uint32_t Mask(IoLine line) {
    return uint32_t{1} << line.bit;
}

}  // namespace sim::io_bits
