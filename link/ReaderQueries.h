// The reader thread's queries as one table: for each, the command it sends, how its reply is
// parsed into DeviceState and display texts, the hand-over routine it is remembered under and
// the display call that shows it. The pages' polling orders are lists of its rows.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "DeviceStateRecord.h"
#include "HandOverMemory.h"
#include "ReaderDisplay.h"

namespace reader_queries {

// What one reply hands over: a mode number for the mode queries, one or two texts for the rest.
struct HandOver {
    int mode = 0;
    std::string first;
    std::string second;
};

// What a parse may write to besides its result.
struct ParseTarget {
    DeviceStateRecord& deviceState;
    char decimalSeparator;
};

enum class Kind {
    Texts,              // hands its texts over; a failure shows "?" for them
    ModeZeroOnFailure,  // a mode; a failure hands mode 0 over, so the layout falls back to "off"
    ModeKeptOnFailure,  // a mode; a failure hands over the mode the last mode query left
};

struct Query {
    const char* command;
    // Nothing for an error reply or one without all its values: it is ignored.
    std::optional<HandOver> (*parse)(const char* payload, const ParseTarget& target);
    HandOverMemory::Routine routine;
    Kind kind;
    // Runs on the GUI thread. Mode queries pass the mode and whether the query failed; the
    // others pass their texts, "?" after a failure.
    void (*show)(ReaderDisplay& display, const HandOver& values, bool failed);
};

// The queries of a tab page, in polling order.
struct Page {
    const Query* const* queries;
    std::size_t count;
    const Query* const* begin() const { return queries; }
    const Query* const* end() const { return queries + count; }
};

// Page 0 start signal, 1 speed, 2 unit, 3 PC; nothing for any other index.
std::optional<Page> PageQueries(int pageIndex);

// The texts of a hand-over as the memory compares them.
std::string Remembered(const HandOver& values);

}  // namespace reader_queries
