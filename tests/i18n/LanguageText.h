// Builds language files for tests: lines joined by one kind of break, line 5 holding the
// checksum the reader requires.
#pragma once

#include <string>
#include <vector>

#include "LanguageFile.h"

namespace language_test {

// Lines 1 to 9 of a file in English, line 5 to be filled in by WithChecksum.
std::vector<std::string> HeaderLines();

// The section line followed by one value per target, each "<name> value <n>".
std::vector<std::string> SectionLines(const LanguageSection& section);

// The lines joined by `lineBreak`, also after the last line.
std::string Joined(const std::vector<std::string>& lines, const std::string& lineBreak = "\r\n");
// The same with the checksum in line 5.
std::string WithChecksum(std::vector<std::string> lines, const std::string& lineBreak = "\r\n");

// A section as the walk handed it on.
struct AppliedSection {
    std::string name;
    std::vector<std::string> values;
};

class RecordingSink : public language_file::Sink {
  public:
    void ChecksumComputed(const std::string& text) override { checksum = text; }
    void HeaderAccepted(const language_file::Header& accepted) override {
        headerAccepted = true;
        header = accepted;
    }
    void ApplySection(const LanguageSection& section,
                      const std::vector<std::string>& values) override {
        applied.push_back({section.name, values});
    }

    std::string checksum;
    bool headerAccepted = false;
    language_file::Header header;
    std::vector<AppliedSection> applied;
};

const LanguageSection& SectionNamed(const std::string& name);

}  // namespace language_test
