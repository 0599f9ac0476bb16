// Writing every byte to a file descriptor: write() may take fewer bytes than it was given, or be
// interrupted by a signal before it takes any.
#pragma once

#include <string_view>

// False when a byte could not be written; errno then tells why.
bool WriteEveryByte(int fd, std::string_view bytes);
