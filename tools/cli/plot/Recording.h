// A recording read back for drawing: its lines in file order, reduced to what a picture shows.
// The file is untrusted: lines are bounded in length, every column is checked, and a line that
// does not fit the header is skipped and counted, never guessed at.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

struct RecordingRow {
    qint64 msSinceEpoch = 0;
    bool connected = false;
    std::optional<int32_t> inputSpeed;
    std::optional<int32_t> outputSpeed;
    uint32_t linesKnown = 0;  // bit n: the IO line in column n of Recording::lineNames is known
    uint32_t linesSet = 0;    // bit n: and it is 1
};

struct Recording {
    static constexpr qsizetype LongestLine = 2048;
    static constexpr std::size_t MostRows = 4'000'000;

    QStringList lineNames;  // the IO line columns, in the file's order
    std::vector<RecordingRow> rows;
    int offsetFromUtc = 0;  // seconds, as the first line kept was written
    std::size_t skippedLines = 0;
    bool truncated = false;  // more than MostRows lines in the range; the rest was left out

    // Reads `path`, keeping the lines from `from` to `to` (either may be invalid: no bound).
    // False with a sentence in `problem` when the file cannot be read or has no recording
    // header.
    static std::optional<Recording> Read(const QString& path, const QDateTime& from,
                                         const QDateTime& to, QString& problem);
};
