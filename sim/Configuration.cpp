#include "Configuration.h"

namespace sim {

Configuration::Configuration(Settings stored) : running_(stored), stored_(stored) {}

void Configuration::save() {
    stored_ = running_;
}

void Configuration::restart() {
    running_ = stored_;
}

void Configuration::resetStart() {
    const Settings factory;
    running_.startMode = factory.startMode;
    running_.startHighMs = factory.startHighMs;
    running_.startLowMs = factory.startLowMs;
    running_.startDelayMs = factory.startDelayMs;
    running_.startShiftMm = factory.startShiftMm;
}

void Configuration::resetSpeed() {
    const Settings factory;
    running_.speedMode = factory.speedMode;
    running_.speedGenerator = factory.speedGenerator;
    running_.speedFactor = factory.speedFactor;
}

}  // namespace sim
