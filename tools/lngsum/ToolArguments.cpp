#include "ToolArguments.h"

namespace lngsum {

const char* const Usage =
    "Usage: kalvio-lngsum FILE          show the checksum a language file needs in line 5\n"
    "       kalvio-lngsum --write FILE  write that checksum into line 5\n";

namespace {

ToolArguments Refused(const std::string& error) {
    return {Action::Refuse, "", error};
}

}  // namespace

ToolArguments ParseArguments(const std::vector<std::string>& arguments) {
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        return {Action::Help, "", ""};
    }
    const bool write = !arguments.empty() && arguments[0] == "--write";
    const std::size_t fileIndex = write ? 1 : 0;
    if (arguments.size() != fileIndex + 1) {
        return Refused(arguments.size() <= fileIndex ? "no file named" : "too many arguments");
    }
    const std::string& file = arguments[fileIndex];
    // A file whose name begins with "-" is named as "./-name".
    if (file.empty() || file[0] == '-') {
        return Refused("unknown option " + file);
    }
    return {write ? Action::Write : Action::Check, file, ""};
}

}  // namespace lngsum
