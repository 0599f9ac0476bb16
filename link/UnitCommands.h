// The unit's command words besides those of its settings (UnitSettingTable.h): the queries
// that read no setting, storing the configuration, and the restarts. Header-only, like the
// settings table, so that the simulated unit answers the same words the link sends.
#pragma once

namespace unit_commands {

constexpr const char* Device = "VERSION.HW";    // identifies the unit type
constexpr const char* Firmware = "VERSION.SW";  // the firmware text
constexpr const char* Speeds = "SPEED.SPEED";   // input speed, a second value, output speed
constexpr const char* InputOutput = "IO";       // two 32-bit words of line and switch states
constexpr const char* SaveConfiguration = "KONFIG.SAVE";
constexpr const char* Restart = "RESET";  // the unit reboots into its stored configuration
constexpr const char* ResetStart = "START.RESET";
constexpr const char* ResetSpeed = "SPEED.RESET";

}  // namespace unit_commands
