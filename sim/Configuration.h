// The unit's two configurations: the running one, which commands change and the signals follow,
// and the stored one, which "KONFIG.SAVE" writes and a restart brings back.
#pragma once

#include "SimulatedUnit.h"

namespace sim {

class Configuration {
  public:
    explicit Configuration(Settings stored = Settings{});

    const Settings& running() const { return running_; }
    Settings& running() { return running_; }
    const Settings& stored() const { return stored_; }

    void save();        // running becomes stored
    void restart();     // stored becomes running, as after a reboot
    void resetStart();  // factory start signal settings in the running configuration
    void resetSpeed();  // factory speed signal settings in the running configuration

  private:
    Settings running_;
    Settings stored_;
};

}  // namespace sim
