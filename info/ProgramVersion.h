// The tool's version, shown on the PC page and in the information window; one place, so that
// the two never disagree.
#pragma once

namespace program_version {

inline constexpr const char* VersionText = "Kalvio V00.08-a";
inline constexpr const char* BuildDate = "30.05.2023";

}  // namespace program_version
