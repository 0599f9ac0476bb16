#include "LanguageSettings.h"

#include <gtest/gtest.h>

namespace {

using Files = std::vector<std::string>;

// Every "[Sprache]" line names the line after it, in file order; the program loads each.
TEST(LanguageSettingsTest, EachSectionNamesTheLineAfterIt) {
    const std::pair<std::string, Files> cases[] = {
        {"[Sprache]\r\n/a/English.lng\r\n\r\n", {"/a/English.lng"}},
        {"[Sprache]\nA.lng\r[Sprache]\r\nB.lng", {"A.lng", "B.lng"}},
        {"[Sprache]\r\n[Sprache]\r\nC.lng\r\n", {"[Sprache]", "C.lng"}},
        {"[Sprache]\r\n\r\n\r\n", {""}},
        {"x\r\n[Sprache]\r\n", {}},
        {" [Sprache]\r\nA.lng\r\n[sprache]\r\nB.lng\r\n", {}},
        {std::string("[Sprache]\r\nA.lng") + '\0' + "\r\n[Sprache]\r\nB.lng", {"A.lng"}},
        {"", {}},
    };
    for (const auto& [bytes, files] : cases) {
        EXPECT_EQ(LanguageSettings::languageFiles(bytes), files) << bytes;
    }
}

TEST(LanguageSettingsTest, WrittenFileReadsBackAsItsLanguageFile) {
    const std::string path =
        "/home/j\xfcrgen/Fran\xe7"
        "ais.lng";
    EXPECT_EQ(LanguageSettings::languageFiles(LanguageSettings::fileText(path)), Files{path});
}

}  // namespace
