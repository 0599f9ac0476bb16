#include "CommandLog.h"

#include <cinttypes>

namespace sim {

CommandLog::~CommandLog() {
    end();
}

bool CommandLog::begin(std::chrono::steady_clock::time_point start, const std::string& path) {
    end();
    start_ = start;
    if (path.empty()) {
        return true;
    }
    file_ = std::fopen(path.c_str(), "ae");
    return file_ != nullptr;
}

void CommandLog::end() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

std::string CommandLog::printable(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            result.push_back(c);
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            result += escaped;
        }
    }
    return result;
}

void CommandLog::record(ReceivedCommand command) {
    if (file_ != nullptr) {
        const auto sinceStart =
            std::chrono::duration_cast<std::chrono::milliseconds>(command.at - start_);
        std::fprintf(file_, "%" PRId64 " %s\n", static_cast<int64_t>(sinceStart.count()),
                     printable(command.text).c_str());
        std::fflush(file_);
    }
    if (entries_.size() >= MaxEntries) {
        entries_.erase(entries_.begin(), entries_.begin() + MaxEntries / 2);
    }
    entries_.push_back(std::move(command));
}

}  // namespace sim
