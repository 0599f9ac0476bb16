// The line settings and time-out set of an open port, as the port layer reads and writes them.
#pragma once

#include <cstdint>

enum class LineControl : uint8_t { Disabled, Enabled, Handshake };
enum class Parity : uint8_t { None, Odd, Even, Mark, Space };
enum class StopBits : uint8_t { One, OneAndHalf, Two };

struct LineSettings {
    int32_t baudRate = 9600;
    bool binary = true;
    bool parityCheck = false;
    bool ctsOutputFlow = false;
    bool dsrOutputFlow = false;
    LineControl dtrControl = LineControl::Enabled;
    bool dsrSensitivity = false;
    bool transmitContinuesAfterXoff = false;
    bool xonXoffOutput = false;
    bool xonXoffInput = false;
    bool errorReplacement = false;
    bool nulStripping = false;
    LineControl rtsControl = LineControl::Enabled;
    bool abortOnError = false;
    uint16_t xonLimit = 2048;
    uint16_t xoffLimit = 512;
    uint8_t dataBits = 8;
    Parity parity = Parity::None;
    StopBits stopBits = StopBits::One;
    char xonChar = 0x11;
    char xoffChar = 0x13;
    char errorChar = 0;
    char eofChar = 0;
    char eventChar = 0;
};

// Five values in milliseconds. A one-byte read waits at most
// readTotalMultiplier + readTotalConstant; each single write call may take at most
// writeTotalMultiplier * length + writeTotalConstant.
struct PortTimeouts {
    uint32_t readInterval = 0;
    uint32_t readTotalMultiplier = 0;
    uint32_t readTotalConstant = 0;
    uint32_t writeTotalMultiplier = 0;
    uint32_t writeTotalConstant = 0;
};
