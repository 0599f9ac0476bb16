// The user manual as its build makes it: pictures of the real windows and a PDF of several pages.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "ManualDocument.h"
#include "ManualScreens.h"

namespace {

// Page objects of a PDF ("/Type /Page", not the "/Type /Pages" tree).
int PdfPageCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QString text = QString::fromLatin1(file.readAll());
    return static_cast<int>(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))));
}

TEST(ManualTest, TextNamesTheFourPagesAndEveryPictureTaken) {
    const QString html = manual::ManualHtml();
    const auto document = manual::MakeDocument(html, QStringLiteral("/nonexistent"));
    const QString text = document->toPlainText();
    // Each page has a section of its own.
    for (const char* page : {"Startsignal", "Geschwindigkeit", "Orvatronic", "PC"}) {
        EXPECT_TRUE(text.contains(QStringLiteral("Seite ") + QLatin1String(page))) << page;
    }
    EXPECT_TRUE(text.startsWith(QStringLiteral("Benutzerhandbuch Kalvio")));
    for (const QString& picture : manual::ScreenNames()) {
        EXPECT_TRUE(html.contains(QStringLiteral("src=\"") + picture)) << picture.toStdString();
    }
}

TEST(ManualTest, BuildMakesPicturesOfTheWindowAndAPdfOfSeveralPages) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QString error;
    ASSERT_TRUE(manual::TakeScreens(folder.path(), &error)) << error.toStdString();
    for (const QString& picture : manual::ScreenNames()) {
        const QImage image(folder.filePath(picture));
        EXPECT_FALSE(image.isNull()) << picture.toStdString();
    }
    EXPECT_EQ(QImage(folder.filePath(QStringLiteral("startsignal.png"))).size(), QSize(673, 573));

    const auto document = manual::MakeDocument(manual::ManualHtml(), folder.path());
    const QString pdf = folder.filePath(QStringLiteral("manual.pdf"));
    const int pages = manual::WritePdf(*document, pdf);
    EXPECT_GT(pages, 1);
    EXPECT_EQ(PdfPageCount(pdf), pages);
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
