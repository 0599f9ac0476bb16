// What the translators' tool does to a language file's bytes: tell whether its header holds the
// checksum it needs, and write that checksum into line 5 without touching any other byte.
#pragma once

#include <optional>
#include <string>

namespace lngsum {

struct HeaderCheck {
    std::string required;          // the checksum text line 5 must hold
    bool checksumMatches = false;  // line 5 holds it
    bool programMatches = false;   // line 6 is the program name
};

HeaderCheck CheckHeader(const std::string& bytes);

// The file with line 5 replaced by the checksum it needs; line breaks and every byte outside
// line 5 stay as they are. Nothing for a file of fewer than five lines.
std::optional<std::string> WithChecksumLine(const std::string& bytes);

}  // namespace lngsum
