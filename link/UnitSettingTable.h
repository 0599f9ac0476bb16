// The one table of the unit's settings: for each, its key in a settings file, the command word
// that reads and sets it, its range, its unit and its meaning. The link, the parameter dialogs,
// the simulated unit and kalvio-cli all read it, so a range or a command word is written down
// once. Header-only, so that the simulated unit reads it without taking the link in.
#pragma once

#include "ReplyParser.h"
#include "UnitSettings.h"

namespace unit_settings {

// clang-format off: one setting a block, its fields in the order of SettingField
inline constexpr SettingField StartMode{"start-mode",
                                        "start mode: 0 off, 1 generator, 2 delay, 3 shift",
                                        "",
                                        {0, static_cast<int32_t>(reply_parser::HighestStartMode)},
                                        &UnitSettings::StartModus,
                                        "START.CMD"};
inline constexpr SettingField StartGeneratorHigh{"start-generator-high-ms",
                                                 "start generator high time",
                                                 "ms",
                                                 {1, 30000},
                                                 &UnitSettings::StartGeneratorOn,
                                                 "START.GENERATOR"};
inline constexpr SettingField StartGeneratorLow{
    "start-generator-low-ms", "start generator low time",       "ms",
    StartGeneratorHigh.range, &UnitSettings::StartGeneratorOff, StartGeneratorHigh.command};
inline constexpr SettingField StartDelay{
    "start-delay-ms", "start delay", "ms", {0, 16000}, &UnitSettings::StartDelayMS, "START.DELAY"};
inline constexpr SettingField StartShift{
    "start-shift-mm", "start shift", "mm", {0, 1333}, &UnitSettings::StartDelayMM, "START.SHIFT"};
inline constexpr SettingField SpeedMode{"speed-mode",
                                        "speed mode: 0 off, 1 generator, 2 adapt speed (CPL), "
                                        "3 adapt speed (TTL), 4 adapt speed (24V)",
                                        "",
                                        {0, static_cast<int32_t>(reply_parser::HighestSpeedMode)},
                                        &UnitSettings::SpeedModus,
                                        "SPEED.CMD"};
inline constexpr SettingField SpeedGenerator{"speed-generator-mm-per-s",
                                             "speed generator speed (may be negative)",
                                             "mm/s",
                                             {-2000, 2000},
                                             &UnitSettings::SpeedGenerator,
                                             "SPEED.GENERATOR"};
inline constexpr SettingField SpeedFactor{// thousandths: -99.999 to 99.999
                                          "speed-factor-thousandths",
                                          "speed factor in thousandths (1000 is a factor of 1.000)",
                                          "",
                                          {-99999, 99999},
                                          &UnitSettings::SpeedFaktor,
                                          "SPEED.FAKTOR"};
// clang-format on

}  // namespace unit_settings
