// Language files are Windows-1252 text. An editor that saved one as UTF-8 leaves every letter
// outside ASCII as two or more bytes, which Kalvio shows as as many wrong letters; the file
// still loads. The tool names the first line that reads that way so that it can be saved again
// in the right code page.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace lngsum {

// The number (from 1) of the first line that holds bytes outside ASCII and reads as valid
// UTF-8, so it holds at least one character of several bytes; lines as the program splits them.
std::optional<std::size_t> FirstUtf8Line(const std::string& bytes);

// The warning for such a file, or nothing.
std::optional<std::string> EncodingWarning(const std::string& bytes);

}  // namespace lngsum
