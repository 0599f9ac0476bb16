#include "StateFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <type_traits>
#include <utility>

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

// A stored field: its name in the file, and its range from the unit's settings table.
template <auto Member>
constexpr Field FieldOf(const char* name, const SettingField& setting) {
    using Value = std::remove_reference_t<decltype(std::declval<Settings&>().*Member)>;
    return {name, setting.range, [](const Settings& s) { return int64_t{s.*Member}; },
            [](Settings& s, int64_t v) { s.*Member = static_cast<Value>(v); }};
}

namespace us = unit_settings;

const std::array<Field, 8> Fields{{
    FieldOf<&Settings::startMode>("startMode", us::StartMode),
    FieldOf<&Settings::startHighMs>("startHighMs", us::StartGeneratorHigh),
    FieldOf<&Settings::startLowMs>("startLowMs", us::StartGeneratorLow),
    FieldOf<&Settings::startDelayMs>("startDelayMs", us::StartDelay),
    FieldOf<&Settings::startShiftMm>("startShiftMm", us::StartShift),
    FieldOf<&Settings::speedMode>("speedMode", us::SpeedMode),
    FieldOf<&Settings::speedGenerator>("speedGenerator", us::SpeedGenerator),
    FieldOf<&Settings::speedFactor>("speedFactor", us::SpeedFactor),
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
