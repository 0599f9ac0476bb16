// Walks every input the fuzzer kept (tests/i18n/corpus) and every input that once made the
// reader fail (tests/i18n/regressions), with the checks the fuzz target makes; and likewise the
// Kalvio.ini reader's corpus (tests/i18n/corpus-settings).
#include <gtest/gtest.h>

#include "ChecksumLine.h"
#include "KeptFuzzInputs.h"
#include "LanguageFile.h"
#include "LanguageSettings.h"
#include "LanguageText.h"

namespace {

language_file::Result WalkChecked(const std::string& bytes, const std::string& name) {
    language_test::RecordingSink sink;
    language_file::Counters counters;
    const language_file::Result result = language_file::Walk(bytes, sink, counters);
    EXPECT_EQ(sink.checksum.size(), 8u) << name;
    for (const language_test::AppliedSection& applied : sink.applied) {
        EXPECT_EQ(applied.values.size(), language_test::SectionNamed(applied.name).lines.size())
            << name;
    }
    return result;
}

TEST(FuzzInputsTest, EveryKeptInputIsWalkedSafely) {
    int walked = 0;
    for (const auto& [name, bytes] :
         test_support::KeptFuzzInputs({KALVIO_LANGUAGE_CORPUS, KALVIO_LANGUAGE_REGRESSIONS})) {
        WalkChecked(bytes, name);
        if (const std::optional<std::string> corrected = lngsum::WithChecksumLine(bytes)) {
            EXPECT_NE(WalkChecked(*corrected, name), language_file::WrongChecksum) << name;
        }
        ++walked;
    }
    EXPECT_GT(walked, 0) << "no inputs in " << KALVIO_LANGUAGE_CORPUS;
}

TEST(FuzzInputsTest, EveryKeptSettingsFileNamesWholeLines) {
    int read = 0;
    for (const auto& [name, bytes] : test_support::KeptFuzzInputs({KALVIO_SETTINGS_CORPUS})) {
        for (const std::string& file : LanguageSettings::languageFiles(bytes)) {
            EXPECT_EQ(file.find_first_of(std::string("\r\n\0", 3)), std::string::npos) << name;
            const std::vector<std::string> written =
                LanguageSettings::languageFiles(LanguageSettings::fileText(file) + bytes);
            ASSERT_FALSE(written.empty()) << name;
            EXPECT_EQ(written.front(), file) << name;
        }
        ++read;
    }
    EXPECT_GT(read, 0) << "no inputs in " << KALVIO_SETTINGS_CORPUS;
}

}  // namespace
