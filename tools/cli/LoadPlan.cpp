#include "LoadPlan.h"

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
        WithArguments("START.GENERATOR", {wanted.StartGeneratorOn, wanted.StartGeneratorOff}),
        WithArguments("START.DELAY", {wanted.StartDelayMS}),
        WithArguments("START.SHIFT", {wanted.StartDelayMM}),
        WithArguments("SPEED.GENERATOR", {wanted.SpeedGenerator}),
        WithArguments("SPEED.FAKTOR", {wanted.SpeedFaktor}),
        WithArguments("START.CMD", {wanted.StartModus}),
        WithArguments("SPEED.CMD", {wanted.SpeedModus}),
        "KONFIG.SAVE",
    };
    if (ChangesMode(current, wanted)) {
        commands.emplace_back("RESET");
    }
    return commands;
}

}  // namespace load_plan
