#include "UnitSettings.h"

#include "UnitSettingTable.h"

namespace us = unit_settings;

const std::array<SettingField, 8> SettingFields = {{
    us::StartMode,
    us::StartGeneratorHigh,
    us::StartGeneratorLow,
    us::StartDelay,
    us::StartShift,
    us::SpeedMode,
    us::SpeedGenerator,
    us::SpeedFactor,
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
