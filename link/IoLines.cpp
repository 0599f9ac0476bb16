#include "IoLines.h"

#include "DeviceStateRecord.h"

namespace io_lines {
namespace {

constexpr uint32_t Bit(unsigned bit) {
    return uint32_t{1} << bit;
}

constexpr unsigned SwitchServesStartBit = 21;
constexpr unsigned SwitchServesSpeedBit = 22;
constexpr unsigned SwitchCodeFirstBit = 23;  // weights 1, 2, 4, 8 on consecutive bits
constexpr uint32_t SwitchCodeMask = 0xF;

bool IsSet(const reply_parser::IoWords& words, LineBit line) {
    const uint32_t word = line.word == 1 ? words.word1 : words.word2;
    return (word & Bit(line.bit)) != 0;
}

}  // namespace

const NamedLine Lines[9] = {
    {"start input", {1, 19}, {2, 8}},      {"start output", {2, 25}, {2, 25}},
    {"speed input 1A", {1, 14}, {1, 14}},  {"speed input 2A", {1, 30}, {1, 30}},
    {"speed input 24V", {1, 20}, {2, 13}}, {"speed output 1A", {2, 22}, {2, 22}},
    {"speed output 1B", {2, 21}, {2, 21}}, {"speed output 2A", {2, 20}, {2, 20}},
    {"speed output 2B", {2, 19}, {2, 19}},
};

std::vector<LineState> DecodeLines(const reply_parser::IoWords& words,
                                   const std::string& deviceType) {
    std::vector<LineState> states;
    const bool first = deviceType == DeviceStateRecord::TypeOrvatronic;
    const bool second = deviceType == DeviceStateRecord::TypeOrvatronic2;
    if (!first && !second) {
        return states;
    }
    for (const NamedLine& line : Lines) {
        const LineBit where = first ? line.orvatronic : line.orvatronic2;
        if (where.word != 0) {
            states.push_back({line.name, IsSet(words, where)});
        }
    }
    return states;
}

RotarySwitch DecodeSwitch(uint32_t word1) {
    const bool start = (word1 & Bit(SwitchServesStartBit)) != 0;
    const bool speed = (word1 & Bit(SwitchServesSpeedBit)) != 0;
    SwitchServes serves = SwitchServes::Neither;
    if (start && !speed) {
        serves = SwitchServes::Start;
    } else if (speed && !start) {
        serves = SwitchServes::Speed;
    }
    return {serves, (word1 >> SwitchCodeFirstBit) & SwitchCodeMask};
}

}  // namespace io_lines
