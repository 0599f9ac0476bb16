// The commands that bring a unit from its current settings to wanted ones, in a sound order:
// the values first, so that a mode that takes effect finds its values in place; then the
// modes; then "KONFIG.SAVE", because the unit restarts from its stored configuration; then
// "RESET", only when a mode changed, as the mode dialogs do.
#pragma once

#include <string>
#include <vector>

#include "UnitSettings.h"

namespace load_plan {

// The setting commands for every value and mode of `wanted`, in the order above, then
// "KONFIG.SAVE" and, when a mode of `current` differs, "RESET".
std::vector<std::string> Commands(const UnitSettings& current, const UnitSettings& wanted);

bool ChangesMode(const UnitSettings& current, const UnitSettings& wanted);

}  // namespace load_plan
