// What the reader last handed over to each display routine of the window, so that a polling
// cycle whose values did not change costs no hand-over: the window already shows them. The
// display routines set what they show from their arguments alone, so a repeat changes nothing.
//
// The window's display epoch counts the changes it makes to the pages by itself (a page
// change resets every value to "?"); when it moves, every routine is handed over afresh.
#pragma once

#include <array>
#include <optional>
#include <string>

class HandOverMemory {
  public:
    enum class Routine {
        StartMode,
        StartGenerator,
        StartDelay,
        StartShift,
        SpeedMode,
        SpeedGenerator,
        SpeedFactor,
        SpeedValues,
        UnitDevice,
        UnitFirmware,
        InputOutput,
    };

    // Forgets everything when the window's epoch differs from the one last seen.
    void FollowEpoch(unsigned epoch);
    // True when the routine was last handed over with exactly these values.
    bool Repeats(Routine routine, const std::string& values) const;
    void Remember(Routine routine, std::string values);
    // The window may show anything now: after a reset, a failed query or a new layout.
    void ForgetAll();

  private:
    static constexpr std::size_t RoutineCount = static_cast<std::size_t>(Routine::InputOutput) + 1;

    std::array<std::optional<std::string>, RoutineCount> handedOver_;
    std::optional<unsigned> epoch_;
};
