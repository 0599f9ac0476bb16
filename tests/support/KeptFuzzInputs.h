// The inputs a fuzz target kept, for the tests that run them through the same checks: every
// file of its corpus and regression folders but the folders' READMEs.
#pragma once

#include <string>
#include <vector>

namespace test_support {

struct KeptInput {
    std::string path;
    std::string bytes;
};

// The files in name order; a folder that does not exist (no regression found yet) holds none.
// Throws when a file cannot be read, so that no input is passed over unseen.
std::vector<KeptInput> KeptFuzzInputs(const std::vector<std::string>& folders);

}  // namespace test_support
