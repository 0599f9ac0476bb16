#include <gtest/gtest.h>

#include "LanguageFile.h"
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

struct Walked {
    Result result;
    RecordingSink sink;
    Counters counters;
};

Walked WalkText(const std::string& text) {
    Walked walked{};
    walked.result = language_file::Walk(text, walked.sink, walked.counters);
    return walked;
}

Walked WalkLines(const Lines& body, const std::string& last = "// end") {
    Lines lines = HeaderLines();
    lines.insert(lines.end(), body.begin(), body.end());
    lines.push_back(last);
    return WalkText(WithChecksum(lines));
}

Lines AppliedNames(const RecordingSink& sink) {
    Lines names;
    for (const language_test::AppliedSection& section : sink.applied) {
        names.push_back(section.name);
    }
    return names;
}

TEST(SectionWalkTest, EverySectionIsAppliedAndUnknownLinesAreCounted) {
    Lines body{"", "// sections follow"};
    int unknownToPlace = 3;
    for (const LanguageSection& section : LanguageSections()) {
        if (std::string(section.name) == "[Header]") {
            continue;  // line 4
        }
        const Lines lines = SectionLines(section);
        body.insert(body.end(), lines.begin(), lines.end());
        if (unknownToPlace > 0 && body.size() % 2 == 0) {
            body.push_back("[Unknown " + std::to_string(unknownToPlace--) + "]");
        }
    }
    ASSERT_EQ(unknownToPlace, 0);

    const Walked walked = WalkLines(body);
    ASSERT_EQ(walked.result, language_file::Loaded);
    EXPECT_EQ(walked.counters.contentLines, 20);
    EXPECT_EQ(walked.counters.unknownLines, 3);
    EXPECT_EQ(walked.counters.emptyLines, 2);    // line 2 and the first of the body
    EXPECT_EQ(walked.counters.commentLines, 3);  // lines 1, 3 and the body's; not the last
    EXPECT_EQ(walked.sink.header.language, "English");
    EXPECT_EQ(walked.sink.header.version, "1.0");
    ASSERT_EQ(walked.sink.applied.size(), LanguageSections().size());
    EXPECT_EQ(walked.sink.applied[0].values,
              (Lines{walked.sink.checksum, "Kalvio", "English", "1.0", "extra"}));
    for (const language_test::AppliedSection& applied : walked.sink.applied) {
        if (applied.name == "[Header]") {
            continue;
        }
        const Lines expected = SectionLines(SectionNamed(applied.name));
        EXPECT_EQ(applied.values, Lines(expected.begin() + 1, expected.end())) << applied.name;
    }
}

TEST(SectionWalkTest, ASectionLineWithATrailingBlankIsUnknownAndItsValuesStandAlone) {
    const Walked walked =
        WalkLines({"[PC] ", "PC", "Version", "Kalvio:", "", "// not a value", "[Fenster_Hilfe]",
                   "Manual", "Update", "Start", "Support", "Start", "Benutzerhandbuch"});
    ASSERT_EQ(walked.result, language_file::Loaded);
    EXPECT_EQ(AppliedNames(walked.sink), (Lines{"[Header]", "[Fenster_Hilfe]"}));
    EXPECT_EQ(walked.sink.applied[1].values, Lines{"Manual"});
    EXPECT_EQ(walked.counters.unknownLines, 9);
    EXPECT_EQ(walked.counters.contentLines, 11);  // and "[Header]", "[Fenster_Hilfe]"
    EXPECT_EQ(walked.counters.emptyLines, 2);
    EXPECT_EQ(walked.counters.commentLines, 3);
}

TEST(SectionWalkTest, ValueLinesAreTakenAsTheyStand) {
    const Walked walked =
        WalkLines({"[Verbindung]", "[PC]", "  // kept  ", "[Fenster_Hilfe]", ""}, "[Verbindung]");
    ASSERT_EQ(walked.result, language_file::Loaded);
    EXPECT_EQ(AppliedNames(walked.sink), (Lines{"[Header]", "[Verbindung]", "[Fenster_Hilfe]"}));
    EXPECT_EQ(walked.sink.applied[1].values, (Lines{"[PC]", "  // kept  "}));
    EXPECT_EQ(walked.sink.applied[2].values, Lines{""});
    EXPECT_EQ(walked.counters.contentLines, 3);
    EXPECT_EQ(walked.counters.unknownLines, 0);
}

TEST(SectionWalkTest, ASectionCutOffByTheLastLineFailsAfterTheEarlierSectionsWereApplied) {
    const Lines popup = SectionLines(SectionNamed("[Popup_Allgemein]"));
    Lines body = SectionLines(SectionNamed("[Verbindung]"));
    body.insert(body.end(), popup.begin(), popup.end() - 1);  // four of five values

    const Walked cut = WalkLines(body);
    EXPECT_EQ(cut.result, language_file::Unreadable);
    EXPECT_EQ(AppliedNames(cut.sink), (Lines{"[Header]", "[Verbindung]"}));

    // The same with the fifth value present, so the last line is again left over.
    body.push_back(popup.back());
    const Walked whole = WalkLines(body);
    EXPECT_EQ(whole.result, language_file::Loaded);
    EXPECT_EQ(AppliedNames(whole.sink), (Lines{"[Header]", "[Verbindung]", "[Popup_Allgemein]"}));
}

TEST(SectionWalkTest, TheTextEndsAtTheFirstNul) {
    const std::string text = WithChecksum(
        [] {
            Lines lines = HeaderLines();
            lines.push_back("// end");
            return lines;
        }(),
        "\n");
    const Walked walked = WalkText(text + std::string(1, '\0') + "[Verbindung]\na\nb\n// x\n");
    EXPECT_EQ(walked.result, language_file::Loaded);
    EXPECT_EQ(walked.sink.checksum, WalkText(text).sink.checksum);
    EXPECT_EQ(AppliedNames(walked.sink), Lines{"[Header]"});
}

// Header values stand by position, the last line included; lines the file lacks are empty.
TEST(SectionWalkTest, AShortFileReadsMissingHeaderValuesAsEmpty) {
    const Walked walked =
        WalkText(WithChecksum({"", "", "", "no header section", "", "Kalvio", "Deutsch", "1.0"}));
    ASSERT_EQ(walked.result, language_file::Loaded);
    EXPECT_EQ(walked.sink.header.language, "Deutsch");
    EXPECT_EQ(walked.sink.header.version, "1.0");
    EXPECT_EQ(walked.sink.header.extra, "");
}

TEST(SectionWalkTest, OversizedAndEndlessInputsAreRefusedOrRejectedQuickly) {
    const Walked oversized = WalkText(std::string(language_file::MaxFileBytes + 1, '\n'));
    EXPECT_EQ(oversized.result, language_file::Unreadable);
    EXPECT_TRUE(oversized.sink.checksum.empty());
    EXPECT_EQ(WalkText(std::string(language_file::MaxFileBytes, 'x')).result,
              language_file::WrongProgram);
    EXPECT_EQ(WalkText(std::string(language_file::MaxFileBytes, '\r')).result,
              language_file::WrongProgram);
}

}  // namespace
