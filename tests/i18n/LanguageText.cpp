#include "LanguageText.h"

#include <stdexcept>

namespace language_test {

std::vector<std::string> HeaderLines() {
    return {"// Kalvio language file",
            "",
            "// English",
            "[Header]",
            "",
            "Kalvio",
            "English",
            "1.0",
            "extra"};
}

std::vector<std::string> SectionLines(const LanguageSection& section) {
    std::vector<std::string> lines{section.name};
    for (std::size_t i = 0; i < section.lines.size(); ++i) {
        lines.push_back(std::string(section.name) + " value " + std::to_string(i + 1));
    }
    return lines;
}

std::string WithChecksum(std::vector<std::string> lines, const std::string& lineBreak) {
    if (lines.size() >= 5) {
        lines[4] = language_file::ChecksumText(0);  // counted with its final length
        lines[4] = language_file::ChecksumText(language_file::RequiredChecksum(lines));
    }
    return Joined(lines, lineBreak);
}

std::string Joined(const std::vector<std::string>& lines, const std::string& lineBreak) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + lineBreak;
    }
    return text;
}

const LanguageSection& SectionNamed(const std::string& name) {
    for (const LanguageSection& section : LanguageSections()) {
        if (name == section.name) {
            return section;
        }
    }
    throw std::invalid_argument("no section " + name);
}

}  // namespace language_test
