// Lock files as other serial programs leave them.
#pragma once

#include <sys/types.h>

#include <string>

namespace test_support {

// The id as ten characters and a newline, or, when `binary`, as four bytes.
void WriteLockFile(const std::string& path, pid_t owner, bool binary = false);
std::string ReadWholeFile(const std::string& path);

}  // namespace test_support
