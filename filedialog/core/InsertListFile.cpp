#include "InsertListFile.h"

namespace {

std::string_view withoutBreakCarriageReturn(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return line;
}

}  // namespace

bool InsertListFile::isSafeName(std::string_view name) {
    if (name.empty() || name == "." || name == ".." || name == FileName) {
        return false;
    }
    return name.find_first_of(std::string_view("/\0\n", 3)) == std::string_view::npos;
}

std::vector<std::string> InsertListFile::parse(std::string_view bytes) {
    std::vector<std::string> names;
    while (!bytes.empty() && names.size() < MaximumNames) {
        const std::size_t end = bytes.find('\n');
        const std::string_view line =
            withoutBreakCarriageReturn(bytes.substr(0, end));  // npos takes the rest
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (isSafeName(line)) {
            names.emplace_back(line);
        }
    }
    return names;
}

std::string InsertListFile::serialise(const std::vector<std::string>& names) {
    std::string bytes;
    for (const std::string& name : names) {
        bytes += name;
        bytes += "\r\n";
    }
    return bytes;
}
