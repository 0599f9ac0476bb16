#include "EncodingCheck.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

#include "LanguageFile.h"

namespace lngsum {

namespace {

bool HasNonAsciiByte(const std::string& line) {
    return std::any_of(line.begin(), line.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// The C library's UTF-8 decoder refuses what is no UTF-8: stray continuation bytes, overlong
// forms, surrogates and a sequence cut off at the end.
bool IsValidUtf8(const std::string& line) {
    const iconv_t decoder = ::iconv_open("UTF-8", "UTF-8");
    if (decoder == reinterpret_cast<iconv_t>(-1)) {
        return false;
    }
    std::string input = line;
    char* in = input.data();
    std::size_t inLeft = input.size();
    bool valid = true;
    while (inLeft > 0 && valid) {
        char output[4096];
        char* out = output;
        std::size_t outLeft = sizeof output;
        if (::iconv(decoder, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) {
            valid = errno == E2BIG;  // only a full output buffer lets it go on
        }
    }
    ::iconv_close(decoder);
    return valid;
}

}  // namespace

std::optional<std::size_t> FirstUtf8Line(const std::string& bytes) {
    const std::vector<std::string> lines = language_file::SplitLines(bytes);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (HasNonAsciiByte(lines[i]) && IsValidUtf8(lines[i])) {
            return i + 1;
        }
    }
    return std::nullopt;
}

std::optional<std::string> EncodingWarning(const std::string& bytes) {
    const std::optional<std::size_t> line = FirstUtf8Line(bytes);
    if (!line) {
        return std::nullopt;
    }
    return "line " + std::to_string(*line) +
           " reads as UTF-8, but language files are Windows-1252 text: Kalvio would show its "
           "letters wrong. Save the file as Windows-1252 (Western European).";
}

}  // namespace lngsum
