#include "SignalModel.h"

#include <cmath>

#include "IoBits.h"

namespace sim {
namespace {

constexpr double Pi = 3.14159265358979323846;

struct Words {
    uint32_t word1 = 0;
    uint32_t word2 = 0;

    void set(io_bits::IoLine line, bool on) {
        if (!on) {
            return;
        }
        (line.word == 1 ? word1 : word2) |= io_bits::Mask(line);
    }
};

// Two square waves a quarter cycle apart, as an incremental encoder gives them; the sign of the
// travel decides which one leads.
struct Quadrature {
    bool a;
    bool b;
};

Quadrature QuadratureAt(double millimetres) {
    const double cycles = millimetres / SignalModel::MillimetresPerEncoderCycle;
    const double phaseA = cycles - std::floor(cycles);
    const double phaseB = (cycles - 0.25) - std::floor(cycles - 0.25);
    return {phaseA < 0.5, phaseB < 0.5};
}

int64_t PositiveModulo(int64_t value, int64_t divisor) {
    const int64_t rest = value % divisor;
    return rest < 0 ? rest + divisor : rest;
}

}  // namespace

SignalModel::SignalModel(DeviceKind device, SwitchRole switchRole, unsigned switchPosition,
                         Motion motion)
    : device_(device), switchRole_(switchRole), switchPosition_(switchPosition), motion_(motion) {}

double SignalModel::inputSpeedAt(double seconds) {
    return InputSpeedCentre + InputSpeedSwing * std::sin(2.0 * Pi * seconds / DriftPeriodSeconds);
}

// The integral of inputSpeedAt, so the encoder lines never jump when the speed changes.
double SignalModel::inputPositionAt(double seconds) {
    const double omega = 2.0 * Pi / DriftPeriodSeconds;
    return InputSpeedCentre * seconds + InputSpeedSwing / omega * (1.0 - std::cos(omega * seconds));
}

double SignalModel::outputPositionAt(const Settings& settings, double seconds) {
    if (settings.speedMode == 1) {
        return settings.speedGenerator * seconds;
    }
    return inputPositionAt(seconds) * settings.speedFactor / 1000.0;
}

bool SignalModel::startInputAt(int64_t milliseconds) {
    if (milliseconds < 0) {
        return false;
    }
    return milliseconds % StartInputPeriod.count() < StartInputPulse.count();
}

bool SignalModel::startOutputAt(const Settings& settings, int64_t milliseconds) {
    switch (settings.startMode) {
        case 1: {
            const int64_t period = int64_t{settings.startHighMs} + settings.startLowMs;
            return period > 0 && PositiveModulo(milliseconds, period) < settings.startHighMs;
        }
        case 2:
            return startInputAt(milliseconds - settings.startDelayMs);
        case 3: {
            // The shift is a distance: it takes as long as the input needs to travel it.
            const double speed = inputSpeedAt(milliseconds / 1000.0);
            const auto delay = static_cast<int64_t>(settings.startShiftMm * 1000.0 / speed);
            return startInputAt(milliseconds - delay);
        }
        default:
            return false;
    }
}

int SignalModel::outputSpeed(const Settings& settings, int inputSpeed) {
    switch (settings.speedMode) {
        case 1:
            return settings.speedGenerator;
        case 2:
        case 3:
        case 4:
            return static_cast<int>(int64_t{inputSpeed} * settings.speedFactor / 1000);
        default:
            return 0;
    }
}

uint32_t SignalModel::switchBits() const {
    if (device_ != DeviceKind::Orvatronic || switchRole_ == SwitchRole::None) {
        return 0;
    }
    const io_bits::IoLine role =
        switchRole_ == SwitchRole::Start ? io_bits::SwitchServesStart : io_bits::SwitchServesSpeed;
    const uint32_t codeMask = (uint32_t{1} << io_bits::SwitchCodeLines) - 1;
    return io_bits::Mask(role) | (switchPosition_ & codeMask) << io_bits::SwitchCodeWeight1.bit;
}

int SignalModel::inputSpeedReading(int64_t milliseconds) const {
    switch (motion_) {
        case Motion::Idle:
            return 0;
        case Motion::Restless:
            // Readings a few milliseconds apart differ: 7 and the span share no divisor.
            return static_cast<int>(InputSpeedCentre) - RestlessSpan / 2 +
                   static_cast<int>(PositiveModulo(milliseconds * 7, RestlessSpan));
        case Motion::Drift:
            break;
    }
    return static_cast<int>(std::lround(inputSpeedAt(milliseconds / 1000.0)));
}

Readings SignalModel::read(const Settings& settings, std::chrono::milliseconds sinceStart) const {
    const bool idle = motion_ == Motion::Idle;
    // A standing machine is frozen at the moment it was switched on.
    const int64_t ms = idle ? 0 : sinceStart.count();
    const double seconds = ms / 1000.0;
    const bool orvatronic = device_ == DeviceKind::Orvatronic;

    Readings readings;
    readings.inputSpeed = inputSpeedReading(ms);
    readings.inputPulseRate =
        idle ? 0
             : static_cast<int>(std::lround(inputSpeedAt(seconds) / MillimetresPerEncoderCycle));
    readings.outputSpeed = outputSpeed(settings, readings.inputSpeed);

    Words words;
    words.word1 = switchBits();
    const Quadrature input = QuadratureAt(inputPositionAt(seconds));
    words.set(io_bits::SpeedInput1A, input.a);
    words.set(io_bits::SpeedInput2A, input.b);
    words.set(orvatronic ? io_bits::StartInputOrvatronic : io_bits::StartInputOrvatronic2,
              !idle && startInputAt(ms));
    words.set(orvatronic ? io_bits::SpeedInput24VOrvatronic : io_bits::SpeedInput24VOrvatronic2,
              settings.speedMode == 4);
    // Delay and shift pass the start input on, which a standing machine never sets.
    words.set(io_bits::StartOutput,
              (!idle || settings.startMode == 1) && startOutputAt(settings, ms));
    if (settings.speedMode >= 1 && settings.speedMode <= 4) {
        const Quadrature output = QuadratureAt(outputPositionAt(settings, seconds));
        words.set(io_bits::SpeedOutput1A, output.a);
        words.set(io_bits::SpeedOutput1B, !output.a);
        words.set(io_bits::SpeedOutput2A, output.b);
        words.set(io_bits::SpeedOutput2B, !output.b);
    }
    readings.word1 = words.word1;
    readings.word2 = words.word2;
    return readings;
}

}  // namespace sim
