#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "InsertListFile.h"

namespace {

using Names = std::vector<std::string>;

std::string numberedLines(int first, int last) {
    std::string bytes;
    for (int i = first; i <= last; ++i) {
        bytes += "n" + std::to_string(i) + "\r\n";
    }
    return bytes;
}

Names numberedNames(int first, int last) {
    Names names;
    for (int i = first; i <= last; ++i) {
        names.push_back("n" + std::to_string(i));
    }
    return names;
}

void expectStableAndSafe(const Names& names, const std::string& what) {
    EXPECT_LE(names.size(), InsertListFile::MaximumNames) << what;
    for (const std::string& name : names) {
        EXPECT_TRUE(InsertListFile::isSafeName(name)) << what;
    }
    EXPECT_EQ(InsertListFile::parse(InsertListFile::serialise(names)), names) << what;
}

TEST(InsertListFile, LinesBecomeSafeNamesThatSurviveAWriteAndRead) {
    const struct {
        const char* what;
        std::string bytes;
        Names names;
    } cases[] = {
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"LF", "a\nb\n", {"a", "b"}},
        {"last line without end", "a\r\nb", {"a", "b"}},
        {"blanks belong to names", " lead\r\ntrail \r\n", {" lead", "trail "}},
        {"only the break's CR goes", "a\r\r\n\rb\r\n", {"a\r", "\rb"}},
        {"no path, no dot names, no empty lines",
         "\r\n.\r\n..\r\n../x\r\n/etc\r\na/b\r\nsub/\r\nok\r\n",
         {"ok"}},
        {"NUL in a line", std::string("a\0b\r\nc\r\n", 8), {"c"}},
        {"first ten of twelve", numberedLines(1, 12), numberedNames(1, 10)},
        {"first ten safe lines", "..\r\n/\r\n" + numberedLines(1, 11), numberedNames(1, 10)},
        {"empty file", "", {}},
        {"breaks only", "\r\n\n\r\n", {}},
    };
    for (const auto& c : cases) {
        const Names names = InsertListFile::parse(c.bytes);
        EXPECT_EQ(names, c.names) << c.what;
        expectStableAndSafe(names, c.what);
    }
    EXPECT_EQ(InsertListFile::serialise({"new", "old name"}), "new\r\nold name\r\n");
}

// Every input the fuzzer kept passes the checks the fuzz target makes.
TEST(InsertListFile, EveryKeptFuzzInputIsReadSafely) {
    int read = 0;
    for (const auto& entry : std::filesystem::directory_iterator(KALVIO_INSERTLIST_CORPUS)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        expectStableAndSafe(InsertListFile::parse(bytes), entry.path().filename().string());
        ++read;
    }
    EXPECT_GT(read, 0) << "no inputs in " << KALVIO_INSERTLIST_CORPUS;
}

}  // namespace
