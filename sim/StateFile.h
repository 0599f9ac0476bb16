// The stored configuration on disk, so that a saved setting survives a restart of the unit.
//
// A small text file of "name=value" lines. Reading is strict: a file that is too long, misses a
// value, repeats one, or holds anything out of range is refused as a whole.
#pragma once

#include <optional>
#include <string>

#include "SimulatedUnit.h"

namespace sim {

class StateFile {
  public:
    static constexpr std::size_t MaxBytes = 4096;

    explicit StateFile(std::string path);

    // The stored settings, or nothing when the file is missing or not acceptable.
    std::optional<Settings> load() const;
    // Writes the whole file under a temporary name and renames it into place.
    bool save(const Settings& settings) const;

    static std::string format(const Settings& settings);
    static std::optional<Settings> parse(const std::string& text);

  private:
    std::string path_;
};

}  // namespace sim
