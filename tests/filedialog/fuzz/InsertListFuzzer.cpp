// libFuzzer entry for the insert list reader: any bytes give at most ten safe names, and the
// list the dialog writes back reads as the same names.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "InsertListFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::vector<std::string> names =
        InsertListFile::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (names.size() > InsertListFile::MaximumNames) {
        __builtin_trap();
    }
    for (const std::string& name : names) {
        if (!InsertListFile::isSafeName(name)) {
            __builtin_trap();
        }
    }
    if (InsertListFile::parse(InsertListFile::serialise(names)) != names) {
        __builtin_trap();
    }
    return 0;
}
