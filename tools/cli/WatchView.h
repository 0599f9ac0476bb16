// What "kalvio-cli watch" shows of the unit: the caption's state, every setting, the speeds,
// the lines by name and the rotary switch, one row each, "?" for what is unknown. On a
// terminal the rows are redrawn in place; into a pipe, each row that changed is one line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "UnitPicture.h"

namespace watch_view {

struct Row {
    std::string label;
    std::string value;
};

// "Verbindung suchen über COM3" or "Verbunden über COM5", as the window's caption says it.
std::string CaptionText(const UnitPicture& picture);
std::vector<Row> Rows(const UnitPicture& picture);
// The whole view for a terminal: from the top left, each row cleared to its end, the rest of
// the screen cleared.
std::string Screen(const UnitPicture& picture);
// The rows of `now` that differ from `before` (all of them without a before), one line each
// and stamped with `time`. The search's caption is one line per search, not one per port.
std::vector<std::string> ChangedLines(const std::optional<UnitPicture>& before,
                                      const UnitPicture& now, const std::string& time);

}  // namespace watch_view
