#include "StateFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "DecimalNumber.h"
#include "UnitSettingTable.h"

namespace sim {
namespace {

constexpr const char* Header = "# orvatronic-sim stored configuration";

struct Field {
    const char* name;
    setting_ranges::Range range;
    int64_t (*get)(const Settings&);
    void (*set)(Settings&, int64_t);
};

const std::array<Field, 8> Fields{{
    {"startMode", unit_settings::StartMode.range,
     [](const Settings& s) { return int64_t{s.startMode}; },
     [](Settings& s, int64_t v) { s.startMode = unsigned(v); }},
    {"startHighMs", unit_settings::StartGeneratorHigh.range,
     [](const Settings& s) { return int64_t{s.startHighMs}; },
     [](Settings& s, int64_t v) { s.startHighMs = unsigned(v); }},
    {"startLowMs", unit_settings::StartGeneratorLow.range,
     [](const Settings& s) { return int64_t{s.startLowMs}; },
     [](Settings& s, int64_t v) { s.startLowMs = unsigned(v); }},
    {"startDelayMs", unit_settings::StartDelay.range,
     [](const Settings& s) { return int64_t{s.startDelayMs}; },
     [](Settings& s, int64_t v) { s.startDelayMs = unsigned(v); }},
    {"startShiftMm", unit_settings::StartShift.range,
     [](const Settings& s) { return int64_t{s.startShiftMm}; },
     [](Settings& s, int64_t v) { s.startShiftMm = unsigned(v); }},
    {"speedMode", unit_settings::SpeedMode.range,
     [](const Settings& s) { return int64_t{s.speedMode}; },
     [](Settings& s, int64_t v) { s.speedMode = unsigned(v); }},
    {"speedGenerator", unit_settings::SpeedGenerator.range,
     [](const Settings& s) { return int64_t{s.speedGenerator}; },
     [](Settings& s, int64_t v) { s.speedGenerator = int(v); }},
    {"speedFactor", unit_settings::SpeedFactor.range,
     [](const Settings& s) { return int64_t{s.speedFactor}; },
     [](Settings& s, int64_t v) { s.speedFactor = int(v); }},
}};

const Field* FindField(const std::string& name) {
    for (const Field& field : Fields) {
        if (name == field.name) {
            return &field;
        }
    }
    return nullptr;
}

bool IsSkipped(const std::string& line) {
    return line.empty() || line.front() == '#';
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

StateFile::StateFile(std::string path) : path_(std::move(path)) {}

std::string StateFile::format(const Settings& settings) {
    std::ostringstream text;
    text << Header << '\n';
    for (const Field& field : Fields) {
        text << field.name << '=' << field.get(settings) << '\n';
    }
    return text.str();
}

std::optional<Settings> StateFile::parse(const std::string& text) {
    if (text.size() > MaxBytes) {
        return std::nullopt;
    }
    Settings settings;
    std::array<bool, Fields.size()> seen{};
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (IsSkipped(line)) {
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            return std::nullopt;
        }
        const Field* field = FindField(line.substr(0, equals));
        if (field == nullptr) {
            return std::nullopt;
        }
        bool& fieldSeen = seen[static_cast<std::size_t>(field - Fields.data())];
        const DecimalNumber number = ParseDecimal(std::string_view(line).substr(equals + 1));
        if (fieldSeen || number.check != NumberCheck::Valid ||
            !setting_ranges::Contains(field->range, number.value)) {
            return std::nullopt;
        }
        fieldSeen = true;
        field->set(settings, number.value);
    }
    for (const bool fieldSeen : seen) {
        if (!fieldSeen) {
            return std::nullopt;
        }
    }
    return settings;
}

std::optional<Settings> StateFile::load() const {
    std::ifstream file(path_, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    // One byte more than allowed tells an oversized file from one that just fits.
    std::string text(MaxBytes + 1, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(file.gcount()));
    return parse(text);
}

bool StateFile::save(const Settings& settings) const {
    const std::string temporary = path_ + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    const bool written = WriteAll(fd, format(settings)) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path_.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace sim
