// Reading the values out of the unit's reply payloads.
//
// Each query's payload is scanned like the C library's scanf with that query's format: white
// space before a number is skipped, a number ends at the first character that does not fit, and
// text after the last number is ignored. A payload that does not yield every number, or that is
// an error reply, gives nothing, and the caller leaves its values as they were. Unlike scanf, a
// number too large for its 32-bit field gives nothing too, instead of an arbitrary value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace reply_parser {

struct GeneratorTimes {
    uint32_t highMs;
    uint32_t lowMs;
};

struct SpeedValues {
    int32_t inputMmPerS;
    int32_t unused;
    int32_t outputMmPerS;
};

struct IoWords {
    uint32_t word1;
    uint32_t word2;
};

constexpr uint32_t HighestStartMode = 3;
constexpr uint32_t HighestSpeedMode = 4;

// The unit did not accept the command: the payload's first six bytes are "Fehler".
bool IsErrorReply(const char* payload);

// "START.CMD" and "SPEED.CMD": a mode the tool does not know counts as mode 0.
std::optional<uint32_t> ParseStartMode(const char* payload);
std::optional<uint32_t> ParseSpeedMode(const char* payload);
// "START.DELAY", "START.SHIFT": one unsigned number.
std::optional<uint32_t> ParseUnsigned(const char* payload);
// "SPEED.GENERATOR", "SPEED.FAKTOR": one signed number.
std::optional<int32_t> ParseSigned(const char* payload);
// "START.GENERATOR": high time, then low time.
std::optional<GeneratorTimes> ParseStartGenerator(const char* payload);
// "SPEED.SPEED": input speed, a value the tool does not use, output speed.
std::optional<SpeedValues> ParseSpeedSpeed(const char* payload);
// "IO": two words of eight hexadecimal digits each. An error reply is not singled out here:
// it fails the hexadecimal scan instead.
std::optional<IoWords> ParseIo(const char* payload);

// "VERSION.HW": "Orvatronic" or "Orvatronic2" from the first eleven characters, else nothing.
std::optional<std::string> IdentifyDeviceType(const char* payload);

}  // namespace reply_parser
