#include "UnitSettings.h"

namespace sr = setting_ranges;

const std::array<SettingField, 8> SettingFields = {{
    {"start-mode", "start mode: 0 off, 1 generator, 2 delay, 3 shift", "", sr::StartModus,
     &UnitSettings::StartModus},
    {"start-generator-high-ms", "start generator high time", "ms", sr::StartGeneratorMs,
     &UnitSettings::StartGeneratorOn},
    {"start-generator-low-ms", "start generator low time", "ms", sr::StartGeneratorMs,
     &UnitSettings::StartGeneratorOff},
    {"start-delay-ms", "start delay", "ms", sr::StartDelayMs, &UnitSettings::StartDelayMS},
    {"start-shift-mm", "start shift", "mm", sr::StartShiftMm, &UnitSettings::StartDelayMM},
    {"speed-mode",
     "speed mode: 0 off, 1 generator, 2 adapt speed (CPL), 3 adapt speed (TTL), "
     "4 adapt speed (24V)",
     "", sr::SpeedModus, &UnitSettings::SpeedModus},
    {"speed-generator-mm-per-s", "speed generator speed (may be negative)", "mm/s",
     sr::SpeedGeneratorMmPerS, &UnitSettings::SpeedGenerator},
    {"speed-factor-thousandths", "speed factor in thousandths (1000 is a factor of 1.000)", "",
     sr::SpeedFaktor, &UnitSettings::SpeedFaktor},
}};

namespace {

const char* const StartModeNames[] = {"off", "generator", "delay", "shift"};
const char* const SpeedModeNames[] = {"off", "generator", "adapt speed (CPL)", "adapt speed (TTL)",
                                      "adapt speed (24V)"};

template <std::size_t Count>
std::string ModeName(const char* const (&names)[Count], int32_t mode) {
    return mode >= 0 && static_cast<std::size_t>(mode) < Count ? names[mode] : "unknown";
}

}  // namespace

std::string StartModeName(int32_t mode) {
    return ModeName(StartModeNames, mode);
}

std::string SpeedModeName(int32_t mode) {
    return ModeName(SpeedModeNames, mode);
}

std::vector<const SettingField*> DifferingFields(const UnitSettings& a, const UnitSettings& b) {
    std::vector<const SettingField*> differing;
    for (const SettingField& field : SettingFields) {
        if (a.*field.value != b.*field.value) {
            differing.push_back(&field);
        }
    }
    return differing;
}
