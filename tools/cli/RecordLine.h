// One line of a recording: comma-separated, a header naming the columns. After the time come
// the connection state ("connected" or "searching"), the port, every setting and speed as a
// whole number, and each IO line as 0 or 1; an unknown value is an empty column, and while
// searching every value is empty.
#pragma once

#include <string>
#include <vector>

#include "UnitPicture.h"

namespace record_line {

constexpr const char* TimeColumn = "time";
constexpr const char* StateColumn = "state";
constexpr const char* InputSpeedColumn = "input-speed-mm-per-s";
constexpr const char* OutputSpeedColumn = "output-speed-mm-per-s";
constexpr const char* Connected = "connected";
constexpr const char* Searching = "searching";

std::vector<std::string> ColumnNames();
// The column of an IO line: "start input" is "start-input".
std::string LineColumn(const char* lineName);
std::string Header();  // with its line end
// Everything after the time, without a line end: equal texts mean nothing changed.
std::string Values(const UnitPicture& picture);
std::string Line(const std::string& time, const std::string& values);

}  // namespace record_line
