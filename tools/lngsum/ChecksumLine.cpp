#include "ChecksumLine.h"

#include <vector>

#include "LanguageFile.h"

namespace lngsum {

namespace {

constexpr std::size_t ChecksumLineIndex = 4;  // line 5
constexpr std::size_t ProgramLineIndex = 5;   // line 6

bool LineEquals(const std::vector<std::string>& lines, std::size_t index, const std::string& text) {
    return index < lines.size() && lines[index] == text;
}

// The checksum line is counted with the length it will have, whatever it holds now.
std::string NeededChecksum(std::vector<std::string> lines) {
    if (lines.size() > ChecksumLineIndex) {
        lines[ChecksumLineIndex] = language_file::ChecksumText(0);
    }
    return language_file::ChecksumText(language_file::RequiredChecksum(lines));
}

}  // namespace

HeaderCheck CheckHeader(const std::string& bytes) {
    const std::vector<std::string> lines = language_file::SplitLines(bytes);
    HeaderCheck check;
    check.required = NeededChecksum(lines);
    check.checksumMatches = LineEquals(lines, ChecksumLineIndex, check.required);
    check.programMatches = LineEquals(lines, ProgramLineIndex, language_file::ProgramName);
    return check;
}

std::optional<std::string> WithChecksumLine(const std::string& bytes) {
    const std::vector<std::string> lines = language_file::SplitLines(bytes);
    if (lines.size() <= ChecksumLineIndex) {
        return std::nullopt;
    }
    const language_file::LineSpan span = language_file::LineSpans(bytes)[ChecksumLineIndex];
    std::string result = bytes;
    result.replace(span.begin, span.length, NeededChecksum(lines));
    return result;
}

}  // namespace lngsum
