// libFuzzer entry for the language file reader: any bytes must be walked safely. Each input is
// walked as it stands and again with the checksum it needs in line 5, so that inputs get past
// the header check and reach the sections.
#include <cstdint>
#include <string>

#include "ChecksumLine.h"
#include "LanguageFile.h"

namespace {

// Applies nothing; only checks that every section arrives whole.
class CheckingSink : public language_file::Sink {
  public:
    void ChecksumComputed(const std::string& text) override {
        if (text.size() != 8) {
            __builtin_trap();
        }
    }
    void HeaderAccepted(const language_file::Header&) override {}
    void ApplySection(const LanguageSection& section,
                      const std::vector<std::string>& values) override {
        if (values.size() != section.lines.size()) {
            __builtin_trap();
        }
    }
};

language_file::Result WalkOnce(const std::string& bytes) {
    CheckingSink sink;
    language_file::Counters counters;
    return language_file::Walk(bytes, sink, counters);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    WalkOnce(bytes);
    const std::optional<std::string> corrected = lngsum::WithChecksumLine(bytes);
    // A file the tool has corrected never fails the checksum check.
    if (corrected && corrected->size() <= language_file::MaxFileBytes &&
        WalkOnce(*corrected) == language_file::WrongChecksum) {
        __builtin_trap();
    }
    return 0;
}
