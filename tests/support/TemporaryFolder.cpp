#include "TemporaryFolder.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace test_support {

namespace {
constexpr const char* PortFolderVariable = "KALVIO_DOSDEVICES";
}

TemporaryFolder::TemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kalvio-test.XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

PortFolderOverride::PortFolderOverride(const std::string& folder) {
    if (const char* value = std::getenv(PortFolderVariable)) {
        hadValue_ = true;
        previous_ = value;
    }
    setenv(PortFolderVariable, folder.c_str(), 1);
}

PortFolderOverride::~PortFolderOverride() {
    if (hadValue_) {
        setenv(PortFolderVariable, previous_.c_str(), 1);
    } else {
        unsetenv(PortFolderVariable);
    }
}

}  // namespace test_support
