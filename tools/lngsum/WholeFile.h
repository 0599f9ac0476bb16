// Reading a language file within its size limit, and replacing it whole: a temporary file in
// the same folder, renamed over the old one, so a failure leaves the old file as it was.
#pragma once

#include <string>

namespace lngsum {

enum class ReadResult { Read, Unreadable, TooLarge };

// At most language_file::MaxFileBytes are accepted; what is not a regular file (a FIFO, a
// device, a folder) is Unreadable, and opening it never waits.
ReadResult ReadLanguageFile(const std::string& path, std::string& bytes);

// Keeps the file's permissions. False with the old file untouched when anything fails.
bool ReplaceWhole(const std::string& path, const std::string& bytes);

}  // namespace lngsum
