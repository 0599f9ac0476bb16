// What the companion program knows of the unit at one moment, as the reader thread handed it
// over: the connection state and every value, each unknown until its query succeeded.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "ReplyParser.h"

struct UnitPicture {
    enum class Link { Searching, Connected };

    Link link = Link::Searching;
    std::string port;        // the port of the caption: being probed, or connected
    std::string deviceType;  // "Orvatronic" or "Orvatronic2" once connected

    std::optional<int32_t> startMode;
    std::optional<int32_t> startHighMs;
    std::optional<int32_t> startLowMs;
    std::optional<int32_t> startDelayMs;
    std::optional<int32_t> startShiftMm;
    std::optional<int32_t> speedMode;
    std::optional<int32_t> speedGenerator;
    std::optional<int32_t> speedFactor;
    std::optional<int32_t> inputSpeed;
    std::optional<int32_t> outputSpeed;
    std::optional<std::string> device;
    std::optional<std::string> firmware;
    std::optional<reply_parser::IoWords> io;

    // Every value unknown, the connection as it is.
    void ForgetValues();
};

// The picture's value of each setting, in the order of SettingFields.
extern const std::array<std::optional<int32_t> UnitPicture::*, 8> PictureSettings;
