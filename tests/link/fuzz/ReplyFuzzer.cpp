// libFuzzer entry for the reply parser: the input is what the line brings, cut into payloads at
// each ETX; every payload must be read consistently by every query's parser (see ReplyCheck).
#include <cstdint>
#include <cstdio>
#include <string>

#include "ReplyCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string fault =
        ReplyCheck::firstFault(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!fault.empty()) {
        std::fprintf(stderr, "reply parser: %s\n", fault.c_str());
        __builtin_trap();
    }
    return 0;
}
