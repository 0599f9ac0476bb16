// The durations and sizes of kalvio-cli's command line: a whole number with an optional unit,
// "90" or "90s", "15m", "8h", "2d"; "500000" bytes, "64K", "10M", "1G" (powers of 1024).
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace quantities {

std::optional<std::chrono::seconds> ParseDuration(const std::string& text);
std::optional<uint64_t> ParseSize(const std::string& text);

}  // namespace quantities
