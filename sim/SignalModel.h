// The unit's live signals, computed from the time since it was switched on: a drifting input
// speed with its encoder lines, the start input's pulses, and the outputs that the running
// settings make of them. Nothing ticks; every reading is a pure function of the time.
#pragma once

#include <chrono>
#include <cstdint>

#include "SimulatedUnit.h"

namespace sim {

struct Readings {
    uint32_t word1 = 0;      // inputs and the rotary switch
    uint32_t word2 = 0;      // outputs
    int inputSpeed = 0;      // mm/s
    int inputPulseRate = 0;  // Hz on each encoder line
    int outputSpeed = 0;     // mm/s
};

class SignalModel {
  public:
    // The start input pulses this long every StartInputPeriod.
    static constexpr std::chrono::milliseconds StartInputPulse{200};
    static constexpr std::chrono::milliseconds StartInputPeriod{2000};
    // The input speed drifts around its centre by the swing, once every DriftPeriod.
    static constexpr double InputSpeedCentre = 500.0;
    static constexpr double InputSpeedSwing = 20.0;
    static constexpr double DriftPeriodSeconds = 10.0;
    // One full cycle of an encoder line per this distance, slow enough to watch.
    static constexpr double MillimetresPerEncoderCycle = 100.0;

    // A restless input speed stays within the drift's swing around the centre.
    static constexpr int RestlessSpan = 41;

    SignalModel(DeviceKind device, SwitchRole switchRole, unsigned switchPosition,
                Motion motion = Motion::Drift);

    Readings read(const Settings& settings, std::chrono::milliseconds sinceStart) const;

    static double inputSpeedAt(double seconds);
    static bool startInputAt(int64_t milliseconds);
    static bool startOutputAt(const Settings& settings, int64_t milliseconds);
    static int outputSpeed(const Settings& settings, int inputSpeed);

  private:
    static double inputPositionAt(double seconds);
    static double outputPositionAt(const Settings& settings, double seconds);
    uint32_t switchBits() const;
    int inputSpeedReading(int64_t milliseconds) const;

    DeviceKind device_;
    SwitchRole switchRole_;
    unsigned switchPosition_;
    Motion motion_;
};

}  // namespace sim
