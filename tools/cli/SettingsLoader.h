// Loading checked settings into a connected unit: the commands in a sound order (see
// LoadPlan.h), then, after a "RESET", a wait until the unit answers again, and a read-back that
// names every value the unit did not take.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "UnitConnection.h"
#include "UnitSettings.h"

class SettingsLoader {
  public:
    // How long a restarting unit may stay silent after "RESET" before the load counts as failed.
    static constexpr uint32_t RestartWaitMs = 10000;

    SettingsLoader(UnitConnection& unit, std::ostream& out) : unit_(unit), out_(out) {}

    // True when the unit now holds exactly `wanted`. With dryRun only prints the commands.
    bool Load(const UnitSettings& wanted, bool dryRun);

  private:
    bool Send(const std::string& command);
    // After a failed command: the commands of the plan that did not go out.
    void NameUnsent(std::vector<std::string>::const_iterator first,
                    std::vector<std::string>::const_iterator last);
    bool ReadBack(const UnitSettings& wanted);

    UnitConnection& unit_;
    std::ostream& out_;
};
