#include "SettingsFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <set>
#include <string_view>

#include "EveryByte.h"

namespace {

constexpr std::size_t MaxCommentTextBytes = 200;
constexpr std::size_t MaxValueDigits = 6;  // every range fits in six digits

// Unit texts go into comments: one line, printable ASCII, bounded.
std::string CommentSafe(const std::string& text) {
    std::string safe;
    for (const char c : text.substr(0, MaxCommentTextBytes)) {
        safe += c >= ' ' && c <= '~' ? c : '?';
    }
    return safe;
}

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::optional<int32_t> WholeNumber(std::string_view text) {
    const bool negative = !text.empty() && text[0] == '-';
    const std::string_view digits = negative ? text.substr(1) : text;
    if (digits.empty() || digits.size() > MaxValueDigits) {
        return std::nullopt;
    }
    int32_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

const SettingField* FieldNamed(std::string_view key) {
    for (const SettingField& field : SettingFields) {
        if (key == field.key) {
            return &field;
        }
    }
    return nullptr;
}

std::string RangeText(const SettingField& field) {
    std::string text = std::to_string(field.range.min) + ".." + std::to_string(field.range.max);
    return *field.unit ? text + ' ' + field.unit : text;
}

SettingsFile::Parsed Problem(int line, std::string problem) {
    return {std::nullopt, line, std::move(problem)};
}

}  // namespace

std::string SettingsFile::Format(const UnitSettings& settings, const Origin& origin) {
    std::string text =
        "# Kalvio unit settings. One setting per line: key = value (whole numbers).\n"
        "# Load them into a unit with: kalvio-cli load FILE\n"
        "# Device:   " +
        CommentSafe(origin.deviceText) + "\n# Firmware: " + CommentSafe(origin.firmwareText) +
        "\n# Saved:    " + CommentSafe(origin.date) + "\n";
    for (const SettingField& field : SettingFields) {
        text += "\n# " + std::string(field.meaning) + ", " + RangeText(field) + "\n";
        text += std::string(field.key) + " = " + std::to_string(settings.*field.value) + "\n";
    }
    return text;
}

SettingsFile::Parsed SettingsFile::Parse(const std::string& text) {
    if (text.size() > MaxBytes) {
        return Problem(0, "the file is larger than a settings file can be");
    }
    UnitSettings settings;
    std::set<std::string_view> seen;
    std::string_view rest = text;
    for (int lineNumber = 1; !rest.empty(); ++lineNumber) {
        const std::size_t end = rest.find('\n');
        const std::string_view raw = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (raw.size() > MaxLineBytes) {
            return Problem(lineNumber, "the line is too long");
        }
        const std::string_view line = Trimmed(raw);
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            return Problem(lineNumber, "expected \"key = value\"");
        }
        const std::string_view key = Trimmed(line.substr(0, equals));
        const SettingField* field = FieldNamed(key);
        if (field == nullptr) {
            return Problem(lineNumber, "unknown setting \"" + CommentSafe(std::string(key)) + "\"");
        }
        if (!seen.insert(field->key).second) {
            return Problem(lineNumber, std::string(field->key) + " is given twice");
        }
        const std::string_view valueText = Trimmed(line.substr(equals + 1));
        const auto value = WholeNumber(valueText);
        if (!value) {
            return Problem(lineNumber, std::string(field->key) + ": \"" +
                                           CommentSafe(std::string(valueText)) +
                                           "\" is not a whole number");
        }
        if (!setting_ranges::Contains(field->range, *value)) {
            return Problem(lineNumber, std::string(field->key) + " = " + std::to_string(*value) +
                                           " is outside " + RangeText(*field));
        }
        settings.*field->value = *value;
    }
    for (const SettingField& field : SettingFields) {
        if (seen.count(field.key) == 0) {
            return Problem(0, std::string(field.key) + " is missing");
        }
    }
    return {settings, 0, {}};
}

bool SettingsFile::Read(const std::string& path, std::string& text, std::string& problem) {
    // Without O_NONBLOCK a FIFO that nobody writes to would hold the command for ever; a
    // regular file reads the same either way.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        problem = std::strerror(errno);
        return false;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        problem = "not a regular file";
        return false;
    }
    text.clear();
    char buffer[4096];
    for (;;) {
        const ssize_t count = read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            problem = std::strerror(errno);
            close(fd);
            return false;
        }
        if (count == 0) {
            break;
        }
        text.append(buffer, static_cast<std::size_t>(count));
        if (text.size() > MaxBytes) {
            close(fd);
            problem = "the file is larger than a settings file can be";
            return false;
        }
    }
    close(fd);
    return true;
}

bool SettingsFile::WriteWhole(const std::string& path, const std::string& text,
                              std::string& problem) {
    std::string temporary = path + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        problem = std::strerror(errno);
        return false;
    }
    const bool written = WriteEveryByte(fd, text) && fchmod(fd, 0644) == 0 && fsync(fd) == 0;
    const int savedErrno = errno;
    const bool closed = close(fd) == 0;
    if (!written || !closed || rename(temporary.c_str(), path.c_str()) != 0) {
        problem = std::strerror(written && closed ? errno : savedErrno);
        unlink(temporary.c_str());
        return false;
    }
    return true;
}
