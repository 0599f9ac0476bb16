#include "LoadPlan.h"

#include "UnitCommands.h"
#include "UnitSettingTable.h"

namespace load_plan {
namespace {

std::string WithArguments(const char* command, std::initializer_list<int32_t> arguments) {
    std::string text = command;
    for (const int32_t argument : arguments) {
        text += ' ' + std::to_string(argument);
    }
    return text;
}

}  // namespace

bool ChangesMode(const UnitSettings& current, const UnitSettings& wanted) {
    return current.StartModus != wanted.StartModus || current.SpeedModus != wanted.SpeedModus;
}

std::vector<std::string> Commands(const UnitSettings& current, const UnitSettings& wanted) {
    std::vector<std::string> commands = {
        WithArguments(unit_settings::StartGeneratorHigh.command,
                      {wanted.StartGeneratorOn, wanted.StartGeneratorOff}),
        WithArguments(unit_settings::StartDelay.command, {wanted.StartDelayMS}),
        WithArguments(unit_settings::StartShift.command, {wanted.StartDelayMM}),
        WithArguments(unit_settings::SpeedGenerator.command, {wanted.SpeedGenerator}),
        WithArguments(unit_settings::SpeedFactor.command, {wanted.SpeedFaktor}),
        WithArguments(unit_settings::StartMode.command, {wanted.StartModus}),
        WithArguments(unit_settings::SpeedMode.command, {wanted.SpeedModus}),
        unit_commands::SaveConfiguration,
    };
    if (ChangesMode(current, wanted)) {
        commands.emplace_back(unit_commands::Restart);
    }
    return commands;
}

}  // namespace load_plan
