#include <sys/stat.h>

#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>

#include "ChecksumLine.h"
#include "EncodingCheck.h"
#include "LanguageFile.h"
#include "TemporaryFolder.h"
#include "ToolArguments.h"
#include "UnwrittenFifo.h"
#include "WholeFile.h"

namespace {

struct RewriteCase {
    std::string before, line5, after;  // the file is before + line5 + after
};

TEST(ChecksumToolTest, WritingTheChecksumChangesLineFiveOnly) {
    const std::string header = "\r\nKalvio\nEnglish\r1.0\r\n\r\n";
    const RewriteCase cases[] = {
        {"// a\r\n\r[Header]\nxx\r\n", "OLD", header + "// end"},
        {"\n\n\n\r", "", header + "// end\r\n"},
        {"1\r2\r3\r4\r", "3B7E21B9", std::string("\nKalvio\n\0\n\r\nafter the text", 26)},
    };
    for (const RewriteCase& c : cases) {
        const std::string file = c.before + c.line5 + c.after;
        const std::optional<std::string> corrected = lngsum::WithChecksumLine(file);
        ASSERT_TRUE(corrected) << testing::PrintToString(c.before);
        const lngsum::HeaderCheck check = lngsum::CheckHeader(*corrected);
        EXPECT_EQ(*corrected, c.before + check.required + c.after);
        // What the check shows beforehand is what gets written, whatever line 5 held.
        EXPECT_EQ(lngsum::CheckHeader(file).required, check.required);
        EXPECT_EQ(lngsum::CheckHeader(file).checksumMatches, c.line5 == check.required);
        EXPECT_TRUE(check.checksumMatches);
        EXPECT_TRUE(check.programMatches);
    }
}

// A line with letters of several bytes that read as UTF-8 betrays a file saved in the wrong
// code page; Windows-1252 letters, and bytes that are no UTF-8, do not.
TEST(ChecksumToolTest, TheFirstLineThatReadsAsUtf8IsNamed) {
    const struct {
        std::string text;
        std::optional<std::size_t> line;
    } cases[] = {
        {"// a\r\nGr\xF6\xDF"
         "e\r\n[Header]\r\n",
         std::nullopt},
        {"plain ASCII\nonly\n", std::nullopt},
        {"a\r\nb\r\nGr\xC3\xB6\xC3\x9F"
         "e\r\n\xC3\xA9\r\n",
         3},
        {"\xE9t\xE9\n\xE9\nx\n\xE2\x82\xAC 5\n", 4},
        {"a\r\xC3\xA9\r", 2},
        {"\xC3\n\xC0\xAF\n\xED\xA0\x80\nM\xFC\x6C\x6C\n",
         std::nullopt},                                     // cut off, overlong, surrogate
        {std::string("a\n\0\xC3\xA9\n", 6), std::nullopt},  // the text ends at its NUL
        {"\xC3\xA9", 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lngsum::FirstUtf8Line(c.text), c.line) << testing::PrintToString(c.text);
    }
    const std::optional<std::string> warning = lngsum::EncodingWarning(cases[2].text);
    ASSERT_TRUE(warning);
    EXPECT_NE(warning->find("line 3 "), std::string::npos) << *warning;
    EXPECT_NE(warning->find("Windows-1252"), std::string::npos) << *warning;
    EXPECT_FALSE(lngsum::EncodingWarning(cases[0].text));
}

TEST(ChecksumToolTest, FilesOfFewerThanFiveLinesAreLeftAlone) {
    for (const std::string& text :
         {std::string(""), std::string("a\nb\r\nc\rd\n"), std::string("a\nb\nc\nd\n\0e\n", 11)}) {
        EXPECT_FALSE(lngsum::WithChecksumLine(text)) << testing::PrintToString(text);
    }
}

TEST(ChecksumToolTest, ArgumentsNameOneFileAndAtMostTheWriteOption) {
    using lngsum::Action;
    struct Case {
        std::vector<std::string> arguments;
        Action action;
        std::string file;
    };
    const Case cases[] = {
        {{"English.lng"}, Action::Check, "English.lng"},
        {{"--write", "English.lng"}, Action::Write, "English.lng"},
        {{"--help"}, Action::Help, ""},
        {{}, Action::Refuse, ""},
        {{"--write"}, Action::Refuse, ""},
        {{"--wirte", "English.lng"}, Action::Refuse, ""},
        {{"-x"}, Action::Refuse, ""},
        {{"a.lng", "b.lng"}, Action::Refuse, ""},
        {{"English.lng", "--write"}, Action::Refuse, ""},
    };
    for (const Case& c : cases) {
        const lngsum::ToolArguments parsed = lngsum::ParseArguments(c.arguments);
        EXPECT_EQ(parsed.action, c.action) << testing::PrintToString(c.arguments);
        EXPECT_EQ(parsed.file, c.file) << testing::PrintToString(c.arguments);
        EXPECT_EQ(parsed.error.empty(), c.action != Action::Refuse);
    }
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(ChecksumToolTest, AFileIsReplacedWholeWithItsPermissions) {
    test_support::TemporaryFolder folder;
    const std::string path = folder.file("English.lng");
    WriteFile(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);

    ASSERT_TRUE(lngsum::ReplaceWhole(path, "new\r\n"));
    std::string bytes;
    ASSERT_EQ(lngsum::ReadLanguageFile(path, bytes), lngsum::ReadResult::Read);
    EXPECT_EQ(bytes, "new\r\n");
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);

    EXPECT_FALSE(lngsum::ReplaceWhole(folder.file("missing.lng"), "x"));
}

TEST(ChecksumToolTest, ReadingRefusesOversizedFilesFoldersFifosAndDevices) {
    test_support::TemporaryFolder folder;
    WriteFile(folder.file("largest.lng"), std::string(language_file::MaxFileBytes, 'x'));
    WriteFile(folder.file("larger.lng"), std::string(language_file::MaxFileBytes + 1, 'x'));
    std::string bytes;
    EXPECT_EQ(lngsum::ReadLanguageFile(folder.file("largest.lng"), bytes),
              lngsum::ReadResult::Read);
    EXPECT_EQ(bytes.size(), language_file::MaxFileBytes);
    EXPECT_EQ(lngsum::ReadLanguageFile(folder.file("larger.lng"), bytes),
              lngsum::ReadResult::TooLarge);
    EXPECT_EQ(lngsum::ReadLanguageFile(folder.path(), bytes), lngsum::ReadResult::Unreadable);
    EXPECT_EQ(lngsum::ReadLanguageFile(folder.file("missing.lng"), bytes),
              lngsum::ReadResult::Unreadable);
    EXPECT_EQ(lngsum::ReadLanguageFile("/dev/null", bytes), lngsum::ReadResult::Unreadable);

    const test_support::UnwrittenFifo fifo(folder.file("fifo.lng"));
    EXPECT_EQ(lngsum::ReadLanguageFile(fifo.path(), bytes), lngsum::ReadResult::Unreadable);
    EXPECT_FALSE(fifo.readerWasReleased()) << "opening the FIFO waited for a writer";
}

}  // namespace
