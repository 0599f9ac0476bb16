#include "LockFiles.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace test_support {

void WriteLockFile(const std::string& path, pid_t owner, bool binary) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (binary) {
        const int32_t id = owner;
        file.write(reinterpret_cast<const char*>(&id), sizeof id);
    } else {
        char text[16];
        std::snprintf(text, sizeof text, "%10d\n", static_cast<int>(owner));
        file << text;
    }
    if (!file) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

}  // namespace test_support
