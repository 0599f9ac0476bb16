// Qt's own dialogs follow the desktop's language once its translation is installed.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QPushButton>

#include "QtTranslation.h"

namespace {

QString CancelText() {
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    return buttons.button(QDialogButtonBox::Cancel)->text();
}

QString FolderPickerLookIn() {
    QFileDialog picker;
    picker.setOption(QFileDialog::DontUseNativeDialog);
    const auto* label = picker.findChild<QLabel*>(QStringLiteral("lookInLabel"));
    return label != nullptr ? label->text() : QString();
}

TEST(QtTranslationTest, QtTextsFollowTheLocaleWhereQtShipsItsLanguage) {
    const QString english = CancelText();
    const QString englishLookIn = FolderPickerLookIn();
    ASSERT_EQ(english.toStdString(), "Cancel");
    struct Case {
        QLocale locale;
        const char* file;
        QString cancel;
        QString lookIn;
    };
    const Case cases[] = {
        {QLocale(QLocale::German, QLocale::Germany), "qtbase_de.qm", "Abbrechen", "Suchen in:"},
        {QLocale(QLocale::German, QLocale::Switzerland), "qtbase_de.qm", "Abbrechen", "Suchen in:"},
        {QLocale(QLocale::French, QLocale::France), "qtbase_fr.qm", "Annuler", "Voir dans :"},
    };
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    int tried = 0;
    for (const Case& c : cases) {
        if (!QFile::exists(folder + QLatin1Char('/') + QLatin1String(c.file))) {
            continue;
        }
        ++tried;
        {
            const auto installed = QtTranslation::Install(c.locale);
            ASSERT_NE(installed, nullptr) << c.file;
            EXPECT_EQ(CancelText().toStdString(), c.cancel.toStdString()) << c.file;
            EXPECT_EQ(FolderPickerLookIn().toStdString(), c.lookIn.toStdString()) << c.file;
        }
        // Released, Qt speaks English again.
        EXPECT_EQ(CancelText(), english);
        EXPECT_EQ(FolderPickerLookIn(), englishLookIn);
    }
    if (tried == 0) {
        GTEST_SKIP() << "Qt's translations are not installed in " << folder.toStdString()
                     << " (Debian package qt6-translations-l10n)";
    }
}

// A language Qt has no translation for leaves nothing installed and Qt's texts English.
TEST(QtTranslationTest, UnknownLanguageLeavesQtEnglish) {
    const QString english = CancelText();
    EXPECT_EQ(QtTranslation::Install(QLocale(QLocale::Zulu, QLocale::SouthAfrica)), nullptr);
    EXPECT_EQ(CancelText(), english);
}

}  // namespace
