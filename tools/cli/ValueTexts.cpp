#include "ValueTexts.h"

#include "HandOverTexts.h"

namespace {

const char* SwitchRole(io_lines::SwitchServes serves) {
    switch (serves) {
        case io_lines::SwitchServes::Start:
            return "serves the start signal";
        case io_lines::SwitchServes::Speed:
            return "serves the speed signal";
        case io_lines::SwitchServes::Neither:
            break;
    }
    return "serves neither signal";
}

}  // namespace

std::string SettingValueText(const SettingField& field, int32_t value) {
    std::string text = std::to_string(value);
    if (field.value == &UnitSettings::StartModus) {
        return text + " (" + StartModeName(value) + ")";
    }
    if (field.value == &UnitSettings::SpeedModus) {
        return text + " (" + SpeedModeName(value) + ")";
    }
    if (field.value == &UnitSettings::SpeedFaktor) {
        return text + " (factor " + hand_over_texts::Factor(value, '.') + ")";
    }
    return *field.unit ? text + " " + field.unit : text;
}

std::string SwitchText(const io_lines::RotarySwitch& rotary) {
    return std::string(SwitchRole(rotary.serves)) + ", position " + std::to_string(rotary.position);
}
