#include "KeptFuzzInputs.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace test_support {
namespace {

namespace fs = std::filesystem;

std::string ReadWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<fs::path> InputFilesIn(const std::string& folder) {
    std::vector<fs::path> files;
    if (!fs::exists(folder)) {
        return files;
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().filename() != "README.md") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

std::vector<KeptInput> KeptFuzzInputs(const std::vector<std::string>& folders) {
    std::vector<KeptInput> inputs;
    for (const std::string& folder : folders) {
        for (const fs::path& file : InputFilesIn(folder)) {
            inputs.push_back({file.string(), ReadWhole(file)});
        }
    }
    return inputs;
}

}  // namespace test_support
