// Comparing and printing Settings in test expectations.
#pragma once

#include <ostream>
#include <tuple>

#include "SimulatedUnit.h"

namespace sim {

inline auto Fields(const Settings& s) {
    return std::tie(s.startMode, s.startHighMs, s.startLowMs, s.startDelayMs, s.startShiftMm,
                    s.speedMode, s.speedGenerator, s.speedFactor);
}

inline bool operator==(const Settings& a, const Settings& b) {
    return Fields(a) == Fields(b);
}

inline std::ostream& operator<<(std::ostream& out, const Settings& s) {
    return out << "{start " << s.startMode << ' ' << s.startHighMs << '/' << s.startLowMs << ' '
               << s.startDelayMs << "ms " << s.startShiftMm << "mm, speed " << s.speedMode << ' '
               << s.speedGenerator << "mm/s x" << s.speedFactor << '}';
}

}  // namespace sim
