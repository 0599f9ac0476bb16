#include "LanguageFile.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace language_file {

namespace {

constexpr uint32_t ChecksumBase = 0x3B7E21C5;
// Header values stand on lines 5 to 9; the checksum is line 5, the program name line 6.
constexpr std::size_t FirstHeaderLine = 5;

// The text ends at its first NUL.
std::size_t TextLength(const std::string& bytes) {
    return std::min(bytes.find('\0'), bytes.size());
}

// The lines as views into the text, so that the walk over a large file of short lines copies
// nothing but the values it hands on.
std::vector<std::string_view> LineViews(const std::string& bytes) {
    const std::vector<LineSpan> spans = LineSpans(bytes);
    std::vector<std::string_view> lines;
    lines.reserve(spans.size());
    for (const LineSpan& span : spans) {
        lines.push_back(std::string_view(bytes).substr(span.begin, span.length));
    }
    return lines;
}

template <typename Line>
uint32_t ChecksumOf(const std::vector<Line>& lines) {
    uint32_t sum = 0;  // wraps modulo 2^32, as the checksum does
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        sum += static_cast<uint32_t>(lines[i].size());
    }
    return ChecksumBase - sum;
}

// Blanks and control characters; bytes from 0x80 on are letters of the 8-bit code page.
bool IsBlankOrControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte <= 0x20 || byte == 0x7F;
}

std::string_view Trimmed(std::string_view line) {
    std::size_t begin = 0;
    std::size_t end = line.size();
    while (begin < end && IsBlankOrControl(line[begin])) {
        ++begin;
    }
    while (end > begin && IsBlankOrControl(line[end - 1])) {
        --end;
    }
    return line.substr(begin, end - begin);
}

// Line `number` (from 1); a line the file does not have reads as empty text.
std::string_view LineAt(const std::vector<std::string_view>& lines, std::size_t number) {
    return number <= lines.size() ? lines[number - 1] : std::string_view();
}

Header HeaderOf(const std::vector<std::string_view>& lines) {
    const auto value = [&lines](std::size_t offset) {
        return std::string(LineAt(lines, FirstHeaderLine + offset));
    };
    return {value(0), value(1), value(2), value(3), value(4)};
}

bool StartsComment(std::string_view trimmed) {
    return trimmed.substr(0, 2) == "//";
}

const LanguageSection* SectionNamed(std::string_view line) {
    for (const LanguageSection& section : LanguageSections()) {
        if (line == section.name) {
            return &section;
        }
    }
    return nullptr;
}

// Walks lines 1 to n-1 (indices 0 to n-2), applying sections as they are read. False when a
// section's value lines would reach the last line, which never carries a text.
bool WalkSections(const std::vector<std::string_view>& lines, Sink& sink, Counters& counters) {
    const std::size_t usable = lines.empty() ? 0 : lines.size() - 1;
    std::size_t i = 0;
    while (i < usable) {
        const std::string_view line = lines[i];
        const std::string_view trimmed = Trimmed(line);
        if (trimmed.empty()) {
            ++counters.emptyLines;
        } else if (StartsComment(trimmed)) {
            ++counters.commentLines;
        } else if (const LanguageSection* section = SectionNamed(line)) {
            const std::size_t count = section->lines.size();
            if (count > usable - i - 1) {
                return false;
            }
            std::vector<std::string> values(
                lines.begin() + static_cast<std::ptrdiff_t>(i + 1),
                lines.begin() + static_cast<std::ptrdiff_t>(i + 1 + count));
            sink.ApplySection(*section, values);
            ++counters.contentLines;
            i += count;
        } else {
            ++counters.contentLines;
            ++counters.unknownLines;
        }
        ++i;
    }
    return true;
}

}  // namespace

std::vector<LineSpan> LineSpans(const std::string& bytes) {
    const std::size_t size = TextLength(bytes);
    std::vector<LineSpan> spans;
    std::size_t begin = 0;
    while (begin < size) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", begin), size);
        spans.push_back({begin, end - begin});
        const bool crLf = end + 1 < size && bytes[end] == '\r' && bytes[end + 1] == '\n';
        begin = end + (crLf ? 2 : 1);
    }
    return spans;
}

std::vector<std::string> SplitLines(const std::string& bytes) {
    const std::vector<std::string_view> views = LineViews(bytes);
    return std::vector<std::string>(views.begin(), views.end());
}

uint32_t RequiredChecksum(const std::vector<std::string>& lines) {
    return ChecksumOf(lines);
}

std::string ChecksumText(uint32_t checksum) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(checksum));
    return text;
}

bool IsEmptyLine(const std::string& line) {
    return Trimmed(line).empty();
}

bool IsCommentLine(const std::string& line) {
    return StartsComment(Trimmed(line));
}

Result Walk(const std::string& bytes, Sink& sink, Counters& counters) {
    counters = Counters();
    if (bytes.size() > MaxFileBytes) {
        return Unreadable;
    }
    const std::vector<std::string_view> lines = LineViews(bytes);
    const std::string checksum = ChecksumText(ChecksumOf(lines));
    sink.ChecksumComputed(checksum);
    if (LineAt(lines, FirstHeaderLine + 1) != ProgramName) {
        return WrongProgram;
    }
    if (LineAt(lines, FirstHeaderLine) != checksum) {
        return WrongChecksum;
    }
    sink.HeaderAccepted(HeaderOf(lines));
    return WalkSections(lines, sink, counters) ? Loaded : Unreadable;
}

}  // namespace language_file
