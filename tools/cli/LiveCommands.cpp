#include "LiveCommands.h"

#include "LiveSession.h"
#include "RecordFile.h"
#include "RecordLine.h"
#include "StopSignals.h"
#include "Timestamp.h"
#include "WatchView.h"

namespace {

constexpr int ExitDone = 0;
constexpr int ExitFailed = 1;

using Clock = LiveSession::Clock;

// A terminal is redrawn at most this often; what changed meanwhile shows in the next picture.
constexpr auto RedrawPause = std::chrono::milliseconds(100);
// A recording that sees nothing change still writes a line this often.
constexpr auto QuietLinePause = std::chrono::seconds(1);
constexpr auto Forever = std::chrono::hours(24 * 365 * 100);

constexpr const char* HideCursor = "\x1b[?25l\x1b[2J";
constexpr const char* ShowCursor = "\x1b[?25h";

std::string Now() {
    return IsoTimestamp(std::chrono::system_clock::now());
}

}  // namespace

int LiveCommands::Watch(const CliArguments& arguments) {
    StopSignals stop;
    LiveSession session(arguments.port);
    if (!session.Start()) {
        out_ << "Could not start reading the unit.\n";
        return ExitFailed;
    }
    if (toTerminal_) {
        out_ << HideCursor << std::flush;
    }
    std::optional<UnitPicture> shown;
    for (;;) {
        if (session.WaitUntil(Clock::now() + Forever, stop.Descriptor()) ==
            LiveSession::Wake::Stopped) {
            break;
        }
        const UnitPicture picture = session.Picture();
        if (picture.port.empty()) {
            continue;  // the reader's first reset, before its first caption
        }
        if (toTerminal_) {
            out_ << watch_view::Screen(picture) << std::flush;
            if (session.StoppedBefore(Clock::now() + RedrawPause, stop.Descriptor())) {
                break;
            }
        } else {
            for (const std::string& line : watch_view::ChangedLines(shown, picture, Now())) {
                out_ << line << '\n';
            }
            out_.flush();
        }
        shown = picture;
    }
    if (toTerminal_) {
        out_ << ShowCursor << std::flush;
    }
    return ExitDone;
}

int LiveCommands::Record(const CliArguments& arguments) {
    RecordFile file(arguments.file, record_line::Header(), arguments.maxSize);
    std::string problem;
    if (!file.Open(problem)) {
        out_ << "Could not record into " << arguments.file << ": " << problem << ".\n";
        return ExitFailed;
    }
    StopSignals stop;
    LiveSession session(arguments.port);
    if (!session.Start()) {
        out_ << "Could not start reading the unit.\n";
        return ExitFailed;
    }
    out_ << "Recording into " << arguments.file << "; Ctrl+C ends." << std::endl;
    const Clock::time_point end =
        Clock::now() +
        arguments.recordFor.value_or(std::chrono::duration_cast<std::chrono::seconds>(Forever));
    std::string lastValues;
    Clock::time_point lastLine = Clock::now() - QuietLinePause;
    uint64_t lines = 0;
    for (;;) {
        const Clock::time_point now = Clock::now();
        const std::string values = record_line::Values(session.Picture());
        if (values != lastValues || now - lastLine >= QuietLinePause) {
            if (!file.Append(record_line::Line(Now(), values), problem)) {
                out_ << "Could not record into " << arguments.file << ": " << problem << ".\n";
                return ExitFailed;
            }
            lastValues = values;
            lastLine = now;
            ++lines;
        }
        if (now >= end || session.WaitUntil(std::min(end, lastLine + QuietLinePause),
                                            stop.Descriptor()) == LiveSession::Wake::Stopped) {
            break;
        }
    }
    out_ << "Recorded " << lines << " lines into " << arguments.file << ".\n";
    return ExitDone;
}
