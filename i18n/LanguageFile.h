// Reading a language file: its lines, its checksum, and the walk over its sections. Plain C++
// without Qt, so that the program, the translators' tool and the fuzz target share it.
//
// The file is 8-bit text; lines and values are kept as the bytes that stand in the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "LanguageSections.h"

namespace language_file {

// Larger files are no language file: they are refused without being read.
constexpr std::size_t MaxFileBytes = 1024 * 1024;
constexpr const char* ProgramName = "Kalvio";

// Lines end at CR LF, a lone CR or a lone LF; a break at the very end starts no further line;
// the text ends at the first NUL byte.
std::vector<std::string> SplitLines(const std::string& bytes);
// Where each of those lines stands in the bytes, its break left out; for tools that rewrite one
// line and keep every other byte.
struct LineSpan {
    std::size_t begin = 0;
    std::size_t length = 0;
};
std::vector<LineSpan> LineSpans(const std::string& bytes);
// (0x3B7E21C5 - the byte lengths of every line but the last) modulo 2^32.
uint32_t RequiredChecksum(const std::vector<std::string>& lines);
// Eight hexadecimal digits, upper case.
std::string ChecksumText(uint32_t checksum);
// Empty: nothing is left once blanks and control characters are taken off both ends.
bool IsEmptyLine(const std::string& line);
// Comment: what is left that way begins with "//".
bool IsCommentLine(const std::string& line);

struct Counters {
    int contentLines = 0;  // section lines and unknown lines
    int emptyLines = 0;
    int commentLines = 0;
    int unknownLines = 0;
};

struct Header {
    std::string checksum, program, language, version, extra;  // lines 5 to 9
};

// What the walk over a file reaches outside itself.
class Sink {
  public:
    virtual ~Sink() = default;
    // The checksum the file needs, computed before any check.
    virtual void ChecksumComputed(const std::string& text) = 0;
    // Both header checks passed; texts follow.
    virtual void HeaderAccepted(const Header& header) = 0;
    // A whole section was read: its value lines, one per target of the section, as they stand.
    virtual void ApplySection(const LanguageSection& section,
                              const std::vector<std::string>& values) = 0;
};

enum Result { Loaded = 1, Unreadable = -1, WrongProgram = -2, WrongChecksum = -3 };

// Checks and walks a file's text and fills `counters` afresh (they matter with Loaded only).
// - More than MaxFileBytes: Unreadable before anything reaches the sink; no file is that large.
// - The checksum is reported first, whatever follows. Then line 6 must be ProgramName and line 5
//   the checksum text. Header values are taken by position, even from the last line; a line
//   the file lacks reads as empty text, so a file without a line 6 is WrongProgram, and lines 7
//   to 9 may be missing (their header values are empty).
// - Then lines 1 to n-1 are walked, sections applied as they are read. Unreadable: a section's
//   value lines run past line n-1; the sections before it were applied.
// Linear in the size of the text; any bytes are safe.
Result Walk(const std::string& bytes, Sink& sink, Counters& counters);

}  // namespace language_file
