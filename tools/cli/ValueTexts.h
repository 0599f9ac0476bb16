// How kalvio-cli writes a setting and the rotary switch for a person to read, alike in "show"
// and "watch".
#pragma once

#include <cstdint>
#include <string>

#include "IoLines.h"
#include "UnitSettings.h"

std::string SettingValueText(const SettingField& field, int32_t value);
std::string SwitchText(const io_lines::RotarySwitch& rotary);
