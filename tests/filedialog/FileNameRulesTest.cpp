#include <gtest/gtest.h>

#include <QString>

#include "FileNameRules.h"

namespace {

struct NameCase {
    const char* given;
    const char* filter;
    const char* expected;
};

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

TEST(FileNameRules, ShownNameLowersOnlyTheExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"Report.PDF", "Report.pdf"}, {"B.Lng", "B.lng"},
        {"README", "README"},         {".Hidden", ".Hidden"},
        {"a.b.TXT", "a.b.txt"},       {"Übersicht.ÄÖ", "Übersicht.äö"},
        {"My.Folder", "My.folder"},   {"name with blanks.Txt", "name with blanks.txt"},
    };
    for (const auto& [given, shown] : cases) {
        EXPECT_EQ(FileNameRules::shownName(text(given)), text(shown)) << given;
    }
}

TEST(FileNameRules, FilterAcceptsByExtensionIgnoringCase) {
    const struct {
        const char* name;
        const char* filter;
        bool taken;
    } cases[] = {
        {"a.lng", ".lng", true},     {"B.Lng", ".lng", true},     {"c.LNG", ".lng", true},
        {"d.lngx", ".lng", false},   {"lng", ".lng", false},      {".lng", ".lng", false},
        {"e.txt", ".*", true},       {"noextension", ".*", true}, {"f.txt", ".", false},
        {"noextension", ".", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileNameRules::matchesFilter(text(c.name), text(c.filter)), c.taken)
            << c.name << " with " << c.filter;
    }
}

TEST(FileNameRules, SaveModeReplacesTheExtensionWithTheFilter) {
    const NameCase cases[] = {
        {"x.txt", ".lng", "x.lng"},
        {"x", ".lng", "x.lng"},
        {"x.LNG", ".lng", "x.lng"},
        {"a.b.c", ".pdf", "a.b.pdf"},
        {".cfg", ".lng", ".cfg.lng"},
        // A filter without a real extension must not leave "x." or "x.*" behind.
        {"x.txt", ".", "x"},
        {"x.txt", ".*", "x.txt"},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(FileNameRules::withFilterExtension(text(c.given), text(c.filter)),
                  text(c.expected))
            << c.given << " with " << c.filter;
    }
}

TEST(FileNameRules, DefaultNameGetsTheFilterOnlyWithoutExtension) {
    const NameCase cases[] = {
        {"Deutsch", ".lng", "Deutsch.lng"},
        {"Deutsch.lng", ".lng", "Deutsch.lng"},
        {"Deutsch.txt", ".lng", "Deutsch.txt"},
        {"", ".lng", ""},
        {"Deutsch", ".", "Deutsch"},
        {"Deutsch", ".*", "Deutsch"},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(FileNameRules::withDefaultExtension(text(c.given), text(c.filter)),
                  text(c.expected))
            << c.given;
    }
}

TEST(FileNameRules, TypedNamesNeverLeaveTheirFolder) {
    const QString longest(FileNameRules::MaximumNameBytes, QLatin1Char('a'));
    const struct {
        QString name;
        bool safe;
    } cases[] = {
        {QStringLiteral("report.lng"), true},
        {QStringLiteral("name with blanks.lng"), true},
        {QStringLiteral(".hidden"), true},
        {longest, true},
        {longest + QLatin1Char('a'), false},
        // 128 two-byte letters are 256 bytes, one more than a name may hold.
        {QString(128, QChar(0xE4)), false},
        {QString(), false},
        {QStringLiteral("."), false},
        {QStringLiteral(".."), false},
        {QStringLiteral("../escape.lng"), false},
        {QStringLiteral("/etc/passwd"), false},
        {QStringLiteral("sub/name.lng"), false},
        {QStringLiteral("nul") + QChar(0) + QStringLiteral("x"), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileNameRules::isSafeFileName(c.name), c.safe) << c.name.toStdString();
    }
}

TEST(FileNameRules, TypeAheadFoldsOnlyAsciiLetters) {
    EXPECT_TRUE(FileNameRules::startsWithFolded(QStringLiteral("Report.pdf"), "re"));
    EXPECT_TRUE(FileNameRules::startsWithFolded(QStringLiteral("report.pdf"), "RE"));
    EXPECT_FALSE(FileNameRules::startsWithFolded(QStringLiteral("Übersicht"), text("ü")));
    EXPECT_TRUE(FileNameRules::startsWithFolded(QStringLiteral("Übersicht"), text("Üb")));
    EXPECT_FALSE(FileNameRules::startsWithFolded(QStringLiteral("re"), "report"));
    EXPECT_FALSE(FileNameRules::startsWithFolded(QStringLiteral("report"), ""));
}

}  // namespace
