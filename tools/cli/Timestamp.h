// Local time as ISO 8601 with milliseconds and the offset from UTC,
// "2026-12-09T07:30:01.123+01:00": sortable, and unambiguous across a change of summer time.
#pragma once

#include <chrono>
#include <string>

std::string IsoTimestamp(std::chrono::system_clock::time_point time);
