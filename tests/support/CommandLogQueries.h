// Questions about a simulated unit's command log (any sequence of entries with a .text).
#pragma once

#include <set>
#include <string>
#include <vector>

namespace test_support {

// Whether the command changes the unit: a setting (queries have no argument), storing the
// settings or a restart.
inline bool ChangesTheUnit(const std::string& command) {
    return command.find(' ') != std::string::npos || command == "KONFIG.SAVE" || command == "RESET";
}

// The texts of the log's commands, in the order received.
template <typename Log>
std::vector<std::string> TextsOf(const Log& log) {
    std::vector<std::string> texts;
    for (const auto& command : log) {
        texts.push_back(command.text);
    }
    return texts;
}

// Index of the first command with this text, or the log's size when there is none.
template <typename Log>
std::size_t IndexOf(const Log& log, const std::string& text) {
    for (std::size_t i = 0; i < log.size(); ++i) {
        if (log[i].text == text) {
            return i;
        }
    }
    return log.size();
}

// The commands up to and including index `last` that are among `wanted`, in the order sent:
// the writer's commands without the reader's queries between them.
template <typename Log>
std::vector<std::string> CommandsAmong(const Log& log, std::size_t last,
                                       const std::set<std::string>& wanted) {
    std::vector<std::string> found;
    for (std::size_t i = 0; i <= last && i < log.size(); ++i) {
        if (wanted.count(log[i].text) != 0) {
            found.push_back(log[i].text);
        }
    }
    return found;
}

}  // namespace test_support
