// Every command the unit received, in order, with the time its carriage return arrived; also
// appended to a log file as "<milliseconds since start> <text>" when one is named.
//
// Not locked itself: the unit guards it together with the rest of its state.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "SimulatedUnit.h"

namespace sim {

class CommandLog {
  public:
    // Beyond this many entries the oldest half is forgotten, so a unit left running for days
    // does not grow without end.
    static constexpr std::size_t MaxEntries = 200000;

    CommandLog() = default;
    ~CommandLog();
    CommandLog(const CommandLog&) = delete;
    CommandLog& operator=(const CommandLog&) = delete;

    // Starts the time base; with a path, opens that file for appending. False when it cannot.
    bool begin(std::chrono::steady_clock::time_point start, const std::string& path);
    void end();  // closes the file

    void record(ReceivedCommand command);
    const std::vector<ReceivedCommand>& entries() const { return entries_; }
    void clear() { entries_.clear(); }
    std::chrono::steady_clock::time_point startTime() const { return start_; }

    // The text as written to the file: bytes that are not printable become \xNN.
    static std::string printable(const std::string& text);

  private:
    std::vector<ReceivedCommand> entries_;
    std::chrono::steady_clock::time_point start_{};
    std::FILE* file_ = nullptr;
};

}  // namespace sim
