// Language files in the running program: every window's texts, the shipped files, the
// interactive load from the PC page, and Kalvio.ini across a restart.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <fstream>
#include <map>

#include "FileDialogChoice.h"
#include "LanguageFile.h"
#include "LanguageSections.h"
#include "ProgramSandbox.h"
#include "ProgramWindows.h"
#include "TForm_Abdeckung.h"
#include "TForm_FileDialog.h"
#include "TForm_Sprachen.h"
#include "UnwrittenFifo.h"

namespace {

QString Shipped(const char* name) {
    return QStringLiteral(KALVIO_LANGUAGE_FOLDER "/") + QLatin1String(name);
}

class LanguageTest : public ::testing::Test {
  protected:
    void SetUp() override { open(); }
    void TearDown() override { windows_.reset(); }

    void open() {
        windows_ = std::make_unique<ProgramWindows>([](const QString&) {});
        main().Services->message = [this](PcServices::MessageIcon icon, const QString& title,
                                          const QString& text) {
            messages_.push_back({icon == PcServices::MessageIcon::Stop, title, text,
                                 Form_Abdeckung->CoverColour()});
        };
    }
    TForm_Main& main() { return windows_->Main(); }
    QString root() const {
        return QDir(QString::fromStdString(sandbox_.Root().path())).canonicalPath();
    }
    QString tabText(int index) { return main().PageControl_Kalvio->tabText(index); }

    // Every target's text now, by section and line.
    std::map<std::pair<std::string, std::size_t>, QString> allTexts() const {
        std::map<std::pair<std::string, std::size_t>, QString> texts;
        for (const LanguageSection& section : LanguageSections()) {
            for (std::size_t line = 0; line < section.lines.size(); ++line) {
                texts[{section.name, line}] = Form_Sprachen->Targets().Text(section.lines[line]);
            }
        }
        return texts;
    }

    struct Message {
        bool failed;
        QString title, text;
        QColor overlay;
    };
    ProgramSandbox sandbox_;
    std::unique_ptr<ProgramWindows> windows_;
    std::vector<Message> messages_;
};

TEST_F(LanguageTest, EveryTargetIsFoundInItsOwnWindow) {
    for (const LanguageSection& section : LanguageSections()) {
        for (const LanguageTarget& target : section.lines) {
            if (target.kind != TargetKind::Skipped) {
                EXPECT_NE(Form_Sprachen->Targets().Resolve(target), nullptr)
                    << section.name << " " << target.window << " " << target.control;
            }
        }
    }
}

// English reaches every window it addresses; German brings back exactly the built-in texts.
TEST_F(LanguageTest, ShippedFilesChangeEveryWindowAndGermanIsTheBuiltInText) {
    const auto builtIn = allTexts();
    int content = 0, empty = 0, comments = 0, unknown = 0;
    ASSERT_EQ(Form_Sprachen->LoadLanguageFile(Shipped("English.lng"), &content, &empty, &comments,
                                              &unknown),
              1);
    EXPECT_EQ(unknown, 0);
    EXPECT_EQ(content, int(LanguageSections().size()));
    const std::tuple<const char*, TargetKind, const char*, QString> samples[] = {
        {"Form_Main", TargetKind::Caption, "TabSheet_Start", "Start signal"},
        {"Form_Main", TargetKind::TextSlot, "SearchingText", "Searching for the unit on"},
        {"Form_Main", TargetKind::MenuItem, "PrintScreen", "Print screen"},
        {"FormStartModus", TargetKind::ListItem, "ComboBox_StartModus",
         "Off\nGenerator\nDelay\nShift"},
        {"FormStartGenerator", TargetKind::WindowCaption, "", "Set generator"},
        {"FormStartDelay", TargetKind::Caption, "BitBtn_Cancel", "Cancel"},
        {"FormStartDelayMM", TargetKind::Caption, "Label_StartDelayMM", "Signal shift:"},
        {"FormSpeedModus", TargetKind::Caption, "Label_SpeedModus", "Mode:"},
        {"FormSpeedGenerator", TargetKind::WindowCaption, "", "Set speed"},
        {"FormSpeedFaktor", TargetKind::Caption, "Label_SpeedSoll", "Output:"},
        {"Form_FileDialog", TargetKind::Hint, "SpeedButton_Back", "Back"},
        {"Form_FileDialog", TargetKind::ColumnCaption, "lstvwVirtualList", "Name"},
        {"Form_FileDialog", TargetKind::TextSlot, "OpenCaption", "Open"},
    };
    for (const auto& [window, kind, control, expected] : samples) {
        EXPECT_EQ(Form_Sprachen->Targets().Text({kind, window, control}), expected)
            << window << " " << control;
    }
    EXPECT_EQ(Form_Sprachen->Targets().Text(
                  {TargetKind::ColumnCaption, "Form_FileDialog", "lstvwVirtualList", 3}),
              "Modified");
    EXPECT_EQ(main().findChild<QLineEdit*>("Edit_VersionSprache")->text(), "English 1.0");

    ASSERT_EQ(Form_Sprachen->LoadLanguageFile(Shipped("Deutsch.lng")), 1);
    const auto german = allTexts();
    for (const auto& [where, text] : builtIn) {
        EXPECT_EQ(german.at(where), text) << where.first << " line " << where.second + 1;
    }
}

// A file that fails its header checks changes nothing but the checksum field, which shows the
// checksum the file needs.
TEST_F(LanguageTest, WrongChecksumChangesOnlyTheChecksumField) {
    QFile shipped(Shipped("English.lng"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    QByteArray bytes = shipped.readAll();
    const QByteArray needed = bytes.split('\r').value(4).trimmed();
    bytes.replace(needed, needed.toLower());
    const QString broken = root() + "/broken.lng";
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    EXPECT_EQ(Form_Sprachen->LoadLanguageFile(broken), -3);
    EXPECT_EQ(tabText(0), "Startsignal");
    EXPECT_EQ(Form_Sprachen->LanguageFile, "");
    EXPECT_EQ(main().findChild<QLineEdit*>("Edit_SpracheCRC")->text(), QString(needed));
    EXPECT_EQ(Form_Sprachen->LoadLanguageFile(root() + "/missing.lng"), -1);
}

// The choice is stored at close and loaded at the next first showing; with no Kalvio.ini the
// built-in texts stand and the file is written with an empty path.
TEST_F(LanguageTest, ChoiceSurvivesARestart) {
    const QString ini = main().ConfigFolder + "Kalvio.ini";
    main().show();
    main().close();
    QFile written(ini);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("[Sprache]\r\n\r\n\r\n"));
    written.close();
    EXPECT_EQ(tabText(0), "Startsignal");

    ASSERT_EQ(Form_Sprachen->LoadLanguageFile(Shipped("English.lng")), 1);
    main().show();
    main().close();
    windows_.reset();
    open();
    EXPECT_EQ(tabText(0), "Startsignal") << "nothing is loaded before the first showing";
    main().show();
    EXPECT_EQ(tabText(0), "Start signal");
    EXPECT_EQ(main().findChild<QLineEdit*>("Edit_VersionSprache")->toolTip(),
              Shipped("English.lng"));
    EXPECT_EQ(Form_Sprachen->LanguageFile, Shipped("English.lng"));
}

// A FIFO or device never holds a language file: it is refused at once, whether chosen, named by
// Kalvio.ini, or in the place of Kalvio.ini; opening it must not wait for a writer.
TEST_F(LanguageTest, FilesThatAreNoRegularFilesAreRefusedWithoutWaiting) {
    ASSERT_TRUE(QDir().mkpath(main().ConfigFolder));
    const QString iniPath = main().ConfigFolder + "Kalvio.ini";
    {
        const test_support::UnwrittenFifo fifo(
            QFile::encodeName(root() + "/fifo.lng").toStdString());
        EXPECT_EQ(Form_Sprachen->LoadLanguageFile(QFile::decodeName(fifo.path().c_str())), -1);
        EXPECT_EQ(Form_Sprachen->LoadLanguageFile(QStringLiteral("/dev/null")), -1);
        EXPECT_FALSE(fifo.readerWasReleased()) << "the load waited for a writer";

        QFile ini(iniPath);
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Sprache]\r\n" + QByteArray::fromStdString(fifo.path()) + "\r\n\r\n");
        ini.close();
        main().show();
        EXPECT_EQ(tabText(0), "Startsignal");
        EXPECT_FALSE(fifo.readerWasReleased()) << "the start waited on the named file";
        main().close();
    }
    windows_.reset();
    ASSERT_TRUE(QFile::remove(iniPath));
    const test_support::UnwrittenFifo ini(QFile::encodeName(iniPath).toStdString());
    open();
    main().show();
    EXPECT_EQ(tabText(0), "Startsignal");
    EXPECT_FALSE(ini.readerWasReleased()) << "the start waited on Kalvio.ini";
}

// A file whose name is not UTF-8 is chosen, opened and kept in Kalvio.ini by its bytes.
TEST_F(LanguageTest, ANameThatIsNotUtf8LoadsAndSurvivesARestart) {
    ASSERT_TRUE(QDir().mkpath(main().LanguageFolder));
    const QByteArray nativePath = QFile::encodeName(main().LanguageFolder) + "Engl\xFFsh.lng";
    QFile shipped(Shipped("English.lng"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    std::ofstream(nativePath.toStdString(), std::ios::binary) << shipped.readAll().toStdString();
    main().show();

    ASSERT_TRUE(ChooseInFileDialog(QFile::decodeName("Engl\xFFsh.lng"),
                                   [this] { main().SpeedButton_VersionSpracheClick(); }));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_FALSE(messages_[0].failed);
    EXPECT_EQ(tabText(0), "Start signal");
    EXPECT_EQ(Form_Sprachen->LanguageFileNative, nativePath);

    main().close();
    windows_.reset();
    open();
    main().show();
    EXPECT_EQ(tabText(0), "Start signal") << "Kalvio.ini names the file by its bytes";
    EXPECT_EQ(Form_Sprachen->LanguageFileNative, nativePath);
}

TEST_F(LanguageTest, SuccessTitleCountsUnknownLinesOnly) {
    EXPECT_EQ(PcServices::LanguageLoadedTitle("Sprache", 20, 3), "Sprache [20-3=17]");
    EXPECT_EQ(PcServices::LanguageLoadedTitle("Sprache", 17, 0), "Sprache");
}

TEST_F(LanguageTest, DoubleClickOnTheLanguageLabelTogglesTheChecksumField) {
    main().show();
    auto* label = main().findChild<QWidget*>("Label_VersionSprache");
    auto* checksum = main().findChild<QLineEdit*>("Edit_SpracheCRC");
    ASSERT_TRUE(checksum->isHidden());
    for (bool shown : {true, false}) {
        QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(3, 3),
                          label->mapToGlobal(QPointF(3, 3)), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(label, &click);
        EXPECT_EQ(checksum->isHidden(), !shown);
    }
    EXPECT_NE(checksum->contextMenuPolicy(), Qt::PreventContextMenu)
        << "the translator copies the checksum from here";
}

// The PC page's button: the file dialog opens in LANGUAGE; the chosen file loads and the
// result is told on a green or red overlay, also while the checksum field is shown (the screen
// is then not dimmed first).
TEST_F(LanguageTest, InteractiveLoadReportsOnGreenOrRed) {
    ASSERT_TRUE(QDir().mkpath(main().LanguageFolder));
    ASSERT_TRUE(QFile::copy(Shipped("English.lng"), main().LanguageFolder + "English.lng"));
    QFile broken(main().LanguageFolder + "Broken.lng");
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a language file\r\n");
    broken.close();
    main().show();

    for (const bool checksumShown : {false, true}) {
        SCOPED_TRACE(checksumShown ? "checksum field shown" : "checksum field hidden");
        main().findChild<QLineEdit*>("Edit_SpracheCRC")->setVisible(checksumShown);
        messages_.clear();
        for (const char* name : {"Broken.lng", "English.lng"}) {
            SCOPED_TRACE(name);
            ASSERT_TRUE(
                ChooseInFileDialog(name, [this] { main().SpeedButton_VersionSpracheClick(); }));
        }
        ASSERT_EQ(messages_.size(), 2u);
        EXPECT_TRUE(messages_[0].failed);
        EXPECT_EQ(messages_[0].text,
                  checksumShown ? "The language was not loaded." : "Sprache wurde nicht geladen.");
        EXPECT_EQ(messages_[0].overlay, QColor(255, 0, 0));
        EXPECT_FALSE(messages_[1].failed);
        EXPECT_EQ(messages_[1].title, "Language") << "the file's own texts already apply";
        EXPECT_EQ(messages_[1].text, "The language was loaded successfully.");
        EXPECT_EQ(messages_[1].overlay, QColor(0, 128, 0));
        EXPECT_FALSE(Form_Abdeckung->isVisible());
        EXPECT_EQ(Form_Sprachen->LanguageFile, main().LanguageFolder + "English.lng");
    }
}

}  // namespace
