// kalvio-lngsum: tells a translator the checksum a language file needs in line 5, and writes it
// there on request.
#include <cstdio>

#include "ChecksumLine.h"
#include "EncodingCheck.h"
#include "LanguageFile.h"
#include "ToolArguments.h"
#include "WholeFile.h"

namespace {

constexpr int Fine = 0;
constexpr int HeaderWrong = 1;  // the checksum or the program name line is not as required
constexpr int Failed = 2;

int Refuse(const std::string& message) {
    std::fprintf(stderr, "kalvio-lngsum: %s\n%s", message.c_str(), lngsum::Usage);
    return Failed;
}

// A warning only: such a file loads, with its letters wrong.
void WarnOfUtf8(const std::string& path, const std::string& bytes) {
    if (const std::optional<std::string> warning = lngsum::EncodingWarning(bytes)) {
        std::fprintf(stderr, "kalvio-lngsum: %s: %s\n", path.c_str(), warning->c_str());
    }
}

bool Read(const std::string& path, std::string& bytes) {
    switch (lngsum::ReadLanguageFile(path, bytes)) {
        case lngsum::ReadResult::Read:
            WarnOfUtf8(path, bytes);
            return true;
        case lngsum::ReadResult::TooLarge:
            std::fprintf(stderr, "kalvio-lngsum: %s: larger than %zu bytes, no language file\n",
                         path.c_str(), language_file::MaxFileBytes);
            return false;
        case lngsum::ReadResult::Unreadable:
            break;
    }
    std::fprintf(stderr, "kalvio-lngsum: %s: cannot be read\n", path.c_str());
    return false;
}

int Check(const std::string& path) {
    std::string bytes;
    if (!Read(path, bytes)) {
        return Failed;
    }
    const lngsum::HeaderCheck check = lngsum::CheckHeader(bytes);
    std::printf("Checksum needed in line 5: %s\n", check.required.c_str());
    std::printf("Line 5: %s\n", check.checksumMatches ? "holds it" : "does not hold it");
    std::printf("Line 6: %s\n", check.programMatches ? "Kalvio" : "is not \"Kalvio\"");
    return check.checksumMatches && check.programMatches ? Fine : HeaderWrong;
}

int Write(const std::string& path) {
    std::string bytes;
    if (!Read(path, bytes)) {
        return Failed;
    }
    const std::optional<std::string> corrected = lngsum::WithChecksumLine(bytes);
    if (!corrected) {
        std::fprintf(stderr, "kalvio-lngsum: %s: fewer than 5 lines, no language file\n",
                     path.c_str());
        return Failed;
    }
    if (*corrected != bytes && !lngsum::ReplaceWhole(path, *corrected)) {
        std::fprintf(stderr, "kalvio-lngsum: %s: cannot be written, left as it was\n",
                     path.c_str());
        return Failed;
    }
    const lngsum::HeaderCheck check = lngsum::CheckHeader(*corrected);
    std::printf("Line 5 holds %s\n", check.required.c_str());
    if (!check.programMatches) {
        std::printf("Line 6 is not \"Kalvio\": the program will refuse this file\n");
        return HeaderWrong;
    }
    return Fine;
}

}  // namespace

int main(int argc, char** argv) {
    const lngsum::ToolArguments arguments =
        lngsum::ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
    switch (arguments.action) {
        case lngsum::Action::Help:
            std::fputs(lngsum::Usage, stdout);
            return Fine;
        case lngsum::Action::Check:
            return Check(arguments.file);
        case lngsum::Action::Write:
            return Write(arguments.file);
        case lngsum::Action::Refuse:
            break;
    }
    return Refuse(arguments.error);
}
