#include "LanguageFile.h"

#include <gtest/gtest.h>

#include <cctype>

#include "LanguageText.h"

namespace {

using language_file::Counters;
using language_file::Result;
using language_test::HeaderLines;
using language_test::RecordingSink;
using language_test::SectionLines;
using language_test::SectionNamed;
using language_test::WithChecksum;
using Lines = std::vector<std::string>;

Lines Concatenated(std::initializer_list<Lines> parts) {
    Lines lines;
    for (const Lines& part : parts) {
        lines.insert(lines.end(), part.begin(), part.end());
    }
    return lines;
}

struct SplitCase {
    std::string text;
    Lines lines;
};

TEST(LanguageFileTest, SplitsAtEveryKindOfBreakUpToTheFirstNul) {
    const SplitCase cases[] = {
        {"", {}},
        {"a\n", {"a"}},
        {"a\n\n", {"a", ""}},
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"\r\r\n\n\r", {"", "", "", ""}},
        {"a\n\r\nb", {"a", "", "b"}},
        {std::string("a\nb\0c\nd", 7), {"a", "b"}},
        {std::string("\0a\n", 3), {}},
    };
    for (const SplitCase& c : cases) {
        EXPECT_EQ(language_file::SplitLines(c.text), c.lines) << testing::PrintToString(c.text);
    }
}

TEST(LanguageFileTest, CrLfAndCrLfFilesGiveTheSameLines) {
    const Lines lines =
        Concatenated({HeaderLines(), SectionLines(SectionNamed("[Verbindung]")), {""}});
    for (const std::string lineBreak : {"\r", "\n", "\r\n"}) {
        EXPECT_EQ(language_file::SplitLines(WithChecksum(lines, "\r\n")),
                  language_file::SplitLines(WithChecksum(lines, lineBreak)));
    }
}

TEST(LanguageFileTest, ChecksumCountsEveryLineButTheLast) {
    EXPECT_EQ(language_file::ChecksumText(language_file::RequiredChecksum({"abc", "zz"})),
              "3B7E21C2");
    EXPECT_EQ(language_file::ChecksumText(language_file::RequiredChecksum({})), "3B7E21C5");
    EXPECT_EQ(language_file::ChecksumText(0xabcdef01), "ABCDEF01");
    EXPECT_EQ(language_file::ChecksumText(1), "00000001");

    const Lines lines = Concatenated({HeaderLines(), {"// last"}});
    const uint32_t required = language_file::RequiredChecksum(lines);
    Lines lastChanged = lines;
    lastChanged.back() = "// a much longer last line";
    EXPECT_EQ(language_file::RequiredChecksum(lastChanged), required);
    Lines commentAdded = lines;
    commentAdded.insert(commentAdded.begin() + 9, "// note");
    EXPECT_NE(language_file::RequiredChecksum(commentAdded), required);
}

TEST(LanguageFileTest, BlanksAndControlCharactersAreTrimmedButEightBitLettersAreText) {
    struct Case {
        std::string line;
        bool empty, comment;
    };
    const Case cases[] = {
        {"", true, false},
        {std::string(" \t\x01\x7F\0", 5), true, false},
        {"\xA0", false, false},
        {"\xF6", false, false},
        {" \t// note ", false, true},
        {"\x1F//", false, true},
        {"/ /", false, false},
        {"x //", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(language_file::IsEmptyLine(c.line), c.empty) << testing::PrintToString(c.line);
        EXPECT_EQ(language_file::IsCommentLine(c.line), c.comment)
            << testing::PrintToString(c.line);
    }
}

struct HeaderCase {
    const char* what;
    std::string text;
    Result result;
};

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

TEST(LanguageFileTest, HeaderChecksDecideTheResult) {
    const Lines valid = Concatenated({HeaderLines(), {"// end"}});
    const std::string validText = WithChecksum(valid);
    Lines lowerCase = language_file::SplitLines(validText);
    lowerCase[4] = Lower(lowerCase[4]);
    ASSERT_NE(lowerCase[4], language_file::SplitLines(validText)[4]);  // it has letters
    Lines blankAfterProgram = valid;
    blankAfterProgram[5] = "Kalvio ";
    Lines lineOneChanged = language_file::SplitLines(validText);
    lineOneChanged[0] += "x";

    const HeaderCase cases[] = {
        {"valid", validText, language_file::Loaded},
        {"lower-case checksum", language_test::Joined(lowerCase), language_file::WrongChecksum},
        {"blank after program name", WithChecksum(blankAfterProgram), language_file::WrongProgram},
        {"line 1 changed after the checksum was written", language_test::Joined(lineOneChanged),
         language_file::WrongChecksum},
        {"no line 6", WithChecksum(Lines(valid.begin(), valid.begin() + 5)),
         language_file::WrongProgram},
        {"empty", "", language_file::WrongProgram},
    };
    for (const HeaderCase& c : cases) {
        RecordingSink sink;
        Counters counters;
        const Result result = language_file::Walk(c.text, sink, counters);
        EXPECT_EQ(result, c.result) << c.what;
        EXPECT_EQ(sink.checksum.size(), 8u) << c.what;
        EXPECT_EQ(sink.headerAccepted, result == language_file::Loaded) << c.what;
    }
}

}  // namespace
