// The unit's settings as one record, and the table that names, bounds and documents each of
// them (UnitSettingTable.h) for the link, the dialogs, the settings file and for printing. The
// names of the numbers are those of the device state; the keys are what a settings file calls them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "SettingRanges.h"

struct UnitSettings {
    int32_t StartModus = 0;
    int32_t StartGeneratorOn = 0;
    int32_t StartGeneratorOff = 0;
    int32_t StartDelayMS = 0;
    int32_t StartDelayMM = 0;
    int32_t SpeedModus = 0;
    int32_t SpeedGenerator = 0;
    int32_t SpeedFaktor = 0;
};

struct SettingField {
    const char* key;
    const char* meaning;  // one line for the file's comment and for printing
    const char* unit;     // "" when the number has none
    setting_ranges::Range range;
    int32_t UnitSettings::*value;
    // Reads the value without arguments and sets it with them; both generator times share
    // one command, high time first.
    const char* command;
};

// In the order a settings file lists them.
extern const std::array<SettingField, 8> SettingFields;

// The name of a start or speed mode number, as the mode dialogs list them.
std::string StartModeName(int32_t mode);
std::string SpeedModeName(int32_t mode);

// The fields whose values differ.
std::vector<const SettingField*> DifferingFields(const UnitSettings& a, const UnitSettings& b);
