// The unit pages' layout and display routines, on pages built alone.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QTest>
#include <QToolButton>
#include <QWidget>
#include <algorithm>
#include <set>
#include <vector>

#include "PageWidgets.h"
#include "PcPage.h"
#include "SpeedPage.h"
#include "StartSignalPage.h"
#include "StateColours.h"
#include "UnitPage.h"

namespace colours = state_colours;
using page_widgets::Bit;
using state_colours::FieldColour;

namespace {

bool Shown(const QWidget* widget) {
    return !widget->isHidden();
}

class StartPageTest : public ::testing::Test {
  protected:
    QWidget sheet_;
    DeviceStateRecord state_;
    StartSignalPage page_{&sheet_, state_};
};

TEST_F(StartPageTest, LayoutShowsTheRowsOfEachMode) {
    struct Row {
        int mode;
        bool input, outputTitle, generator, delay, shift;
    };
    const Row rows[] = {
        {0, false, false, false, false, false}, {1, false, true, true, false, false},
        {2, true, true, false, true, false},    {3, true, true, false, false, true},
        {4, false, false, false, false, false}, {-1, false, false, false, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mode);
        page_.Layout(row.mode);
        EXPECT_EQ(state_.StartModusShown.load(), row.mode >= 0 && row.mode <= 3 ? row.mode : 0);
        EXPECT_EQ(Shown(page_.Shape_StartInput), row.input);
        EXPECT_EQ(Shown(page_.Label_StartInputTitel), row.input);
        EXPECT_EQ(Shown(page_.Label_StartOutputTitel), row.outputTitle);
        EXPECT_TRUE(Shown(page_.Shape_StartOutput));
        EXPECT_EQ(Shown(page_.Edit_StartGeneratorOn), row.generator);
        EXPECT_EQ(Shown(page_.SpeedButton_StartGenerator), row.generator);
        EXPECT_EQ(Shown(page_.Edit_StartDelayMS), row.delay);
        EXPECT_EQ(Shown(page_.Edit_StartDelayMM), row.shift);
        EXPECT_FALSE(page_.SpeedButton_StartReset->isEnabled());
        EXPECT_EQ(page_.Shape_StartUebersicht->penColor(), colours::Yellow);
        EXPECT_EQ(page_.Shape_StartOutput->brushColor(), colours::Black);
    }
}

TEST_F(StartPageTest, RotarySwitchOnlyForTheFirstUnitTypeAndNeverInModeZero) {
    const std::tuple<const char*, int, bool> cases[] = {
        {"Orvatronic", 1, true},   {"Orvatronic", 3, true}, {"Orvatronic", 0, false},
        {"Orvatronic2", 1, false}, {"", 2, false},
    };
    for (const auto& [type, mode, shown] : cases) {
        SCOPED_TRACE(std::string(type) + " mode " + std::to_string(mode));
        state_.SetDeviceType(type);
        page_.Reset();  // every page change lays out mode 0 first
        page_.Layout(mode);
        EXPECT_EQ(Shown(page_.Shape_StartDrehschalter), shown);
        EXPECT_EQ(Shown(page_.Shape_StartDrehInput1er), shown);
        EXPECT_EQ(page_.Shape_StartDrehschalter->brushColor(), colours::Gray);
    }
}

TEST_F(StartPageTest, ModeDisplaySwitchesLayoutAndButtonsFollowTheValues) {
    page_.Reset();
    EXPECT_EQ(page_.Edit_StartModus->text(), "?");
    EXPECT_EQ(FieldColour(page_.Edit_StartModus), colours::Yellow);
    EXPECT_FALSE(page_.SpeedButton_StartModus->isEnabled());

    page_.ModeDisplay(2, "Verzögerung");
    EXPECT_EQ(FieldColour(page_.Edit_StartModus), colours::SkyBlue);
    EXPECT_EQ(page_.Label_StartModus->text(), "Verzögerung");
    EXPECT_TRUE(page_.SpeedButton_StartModus->isEnabled());
    EXPECT_TRUE(page_.SpeedButton_StartReset->isEnabled());
    EXPECT_TRUE(Shown(page_.Edit_StartDelayMS));
    EXPECT_FALSE(page_.SpeedButton_StartDelayMS->isEnabled()) << "no delay has arrived yet";

    page_.StartDelayDisplay("120 ms");
    EXPECT_EQ(page_.Edit_StartDelayMS->text(), "120 ms");
    EXPECT_EQ(FieldColour(page_.Edit_StartDelayMS), colours::MoneyGreen);
    EXPECT_TRUE(page_.SpeedButton_StartDelayMS->isEnabled());
    page_.StartDelayDisplay("?");
    EXPECT_FALSE(page_.SpeedButton_StartDelayMS->isEnabled());

    page_.ModeDisplay(0, "?");  // a failed query: mode 0 layout, nothing to edit
    EXPECT_EQ(page_.Edit_StartModus->text(), "?");
    EXPECT_EQ(FieldColour(page_.Edit_StartModus), colours::SkyBlue);
    EXPECT_EQ(page_.Label_StartModus->text(), "");
    EXPECT_FALSE(page_.SpeedButton_StartModus->isEnabled());
    EXPECT_FALSE(page_.SpeedButton_StartReset->isEnabled());
    EXPECT_FALSE(Shown(page_.Edit_StartDelayMS));
}

TEST_F(StartPageTest, StartInputFollowsTheBitOfTheUnitType) {
    const std::tuple<const char*, uint32_t, uint32_t, QColor, QString> cases[] = {
        {"Orvatronic", Bit(19), 0, colours::Red, "1"},
        {"Orvatronic", Bit(8), Bit(8), colours::Blue, "0"},
        {"Orvatronic2", Bit(19), Bit(8), colours::Red, "1"},
        {"Orvatronic2", Bit(19), 0, colours::Blue, "0"},
        {"", Bit(19), Bit(8), colours::Black, ""},  // an unknown type leaves the line alone
    };
    for (const auto& [type, word1, word2, colour, label] : cases) {
        SCOPED_TRACE(type);
        state_.SetDeviceType(type);
        page_.Layout(2);
        page_.ShowLines(word1, word2);
        EXPECT_EQ(page_.Shape_StartInput->brushColor(), colour);
        EXPECT_EQ(page_.Label_StartInput->text(), label);
        EXPECT_EQ(page_.Shape_StartUebersicht->penColor(), colours::SkyBlue);
    }
    page_.ShowLines(0, Bit(25));
    EXPECT_EQ(page_.Shape_StartOutput->brushColor(), colours::Red);
    EXPECT_EQ(page_.Label_StartOutput->text(), "1");

    page_.ShowLinesUnknown();
    EXPECT_EQ(page_.Label_StartOutput->text(), "");
    EXPECT_EQ(page_.Shape_StartOutput->brushColor(), colours::Gray);
    EXPECT_EQ(page_.Shape_StartUebersicht->penColor(), colours::Yellow);
}

TEST_F(StartPageTest, SwitchCodeLinesCarryTheWeightsOneToEight) {
    page_.ShowSwitchInUse(Bit(23) | Bit(26));  // position 9
    EXPECT_EQ(page_.Shape_StartDrehschalter->brushColor(), colours::Green);
    EXPECT_EQ(page_.Shape_StartDrehInput1er->brushColor(), colours::Red);
    EXPECT_EQ(page_.Shape_StartDrehInput2er->brushColor(), colours::Blue);
    EXPECT_EQ(page_.Shape_StartDrehInput4er->brushColor(), colours::Blue);
    EXPECT_EQ(page_.Shape_StartDrehInput8er->brushColor(), colours::Red);
    page_.ShowSwitchUnused();
    EXPECT_EQ(page_.Shape_StartDrehInput8er->brushColor(), colours::Gray);
}

class SpeedPageTest : public ::testing::Test {
  protected:
    QWidget sheet_;
    DeviceStateRecord state_;
    SpeedPage page_{&sheet_, state_};
};

TEST_F(SpeedPageTest, LayoutShowsTheInputChannelsOfEachMode) {
    struct Row {
        int mode;
        bool in1A, in1B, in2A, in2B, in24V, generator, factor, inputTitle;
        int titleTop, labelTop;
    };
    const Row rows[] = {
        {0, false, false, false, false, false, false, false, false, 140, 171},
        {1, false, false, false, false, false, true, false, false, 140, 171},
        {2, true, true, true, true, false, false, true, true, 140, 171},
        {3, true, false, false, true, false, false, true, true, 140, 171},
        {4, false, false, false, false, true, false, true, true, 146, 165},
        {5, false, false, false, false, false, false, false, false, 140, 171},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mode);
        page_.Layout(row.mode);
        EXPECT_EQ(state_.SpeedModusShown.load(), row.mode <= 4 ? row.mode : 0);
        EXPECT_EQ(Shown(page_.Shape_SpeedInput1A), row.in1A);
        EXPECT_EQ(Shown(page_.Shape_SpeedInput1B), row.in1B);
        EXPECT_EQ(Shown(page_.Shape_SpeedInput2A), row.in2A);
        EXPECT_EQ(Shown(page_.Shape_SpeedInput2B), row.in2B);
        EXPECT_EQ(Shown(page_.Shape_SpeedInput24V), row.in24V);
        EXPECT_EQ(Shown(page_.Edit_SpeedGenerator), row.generator);
        EXPECT_EQ(Shown(page_.Edit_SpeedFaktor), row.factor);
        EXPECT_EQ(Shown(page_.Label_SpeedInputTitel), row.inputTitle);
        EXPECT_EQ(page_.Label_SpeedInputTitel->y(), row.titleTop);
        EXPECT_EQ(page_.Label_SpeedInput->y(), row.labelTop);
        EXPECT_TRUE(Shown(page_.Shape_SpeedOutput2B));
        EXPECT_EQ(page_.Shape_SpeedOutput1A->brushColor(), colours::Black);
    }
}

TEST_F(SpeedPageTest, LinesAndValues) {
    state_.SetDeviceType("Orvatronic2");
    page_.Layout(2);
    page_.ShowLines(Bit(14), Bit(13) | Bit(22) | Bit(19));
    EXPECT_EQ(page_.Shape_SpeedInput1A->brushColor(), colours::Red);
    EXPECT_EQ(page_.Shape_SpeedInput1B->brushColor(), colours::Blue);
    EXPECT_EQ(page_.Shape_SpeedInput2A->brushColor(), colours::Blue);
    EXPECT_EQ(page_.Shape_SpeedInput2B->brushColor(), colours::Red);
    EXPECT_EQ(page_.Shape_SpeedInput24V->brushColor(), colours::Red) << "W2 bit 13";
    EXPECT_EQ(page_.Shape_SpeedOutput1A->brushColor(), colours::Red);
    EXPECT_EQ(page_.Shape_SpeedOutput1B->brushColor(), colours::Blue);
    EXPECT_EQ(page_.Shape_SpeedOutput2A->brushColor(), colours::Blue);
    EXPECT_EQ(page_.Shape_SpeedOutput2B->brushColor(), colours::Red);

    page_.SpeedFactorDisplay("1.500");
    EXPECT_EQ(page_.Edit_SpeedFaktor->text(), "1.500");
    EXPECT_TRUE(page_.SpeedButton_SpeedFaktor->isEnabled());
    page_.SpeedValuesDisplay("120 mm/s", "?");
    EXPECT_EQ(page_.Label_SpeedInput->text(), "120 mm/s");
    EXPECT_EQ(page_.Label_SpeedOutput->text(), "");
}

// The 24 V input joins the other lines in the layout's black and the unknown gray.
TEST_F(SpeedPageTest, Input24VNeverKeepsAStaleState) {
    state_.SetDeviceType("Orvatronic");
    page_.Layout(4);
    page_.ShowLines(Bit(20), 0);
    ASSERT_EQ(page_.Shape_SpeedInput24V->brushColor(), colours::Red);
    page_.Layout(4);
    EXPECT_EQ(page_.Shape_SpeedInput24V->brushColor(), colours::Black);
    page_.ShowLines(Bit(20), 0);
    page_.ShowLinesUnknown();
    EXPECT_EQ(page_.Shape_SpeedInput24V->brushColor(), colours::Gray);
}

// Every line of both pages against words with one bit set: a line lit by another line's bit,
// or two bits swapped, fails here. With no bit set the B channels of the input pairs are lit.
TEST(InputOutputBitsTest, EachLineFollowsItsOwnBitAlone) {
    using Lines = std::set<QString>;
    struct BitOwner {
        int word, bit;
        const char* line;
    };
    const BitOwner common[] = {
        {2, 25, "Shape_StartOutput"},   {1, 14, "Shape_SpeedInput1A"},
        {1, 30, "Shape_SpeedInput2A"},  {2, 22, "Shape_SpeedOutput1A"},
        {2, 21, "Shape_SpeedOutput1B"}, {2, 20, "Shape_SpeedOutput2A"},
        {2, 19, "Shape_SpeedOutput2B"},
    };
    const std::pair<const char*, std::vector<BitOwner>> units[] = {
        {"Orvatronic", {{1, 19, "Shape_StartInput"}, {1, 20, "Shape_SpeedInput24V"}}},
        {"Orvatronic2", {{2, 8, "Shape_StartInput"}, {2, 13, "Shape_SpeedInput24V"}}},
    };
    for (const auto& [type, own] : units) {
        QWidget startSheet, speedSheet;
        DeviceStateRecord state;
        state.SetDeviceType(type);
        StartSignalPage start(&startSheet, state);
        SpeedPage speed(&speedSheet, state);
        std::vector<BitOwner> owners(std::begin(common), std::end(common));
        owners.insert(owners.end(), own.begin(), own.end());
        for (int word = 1; word <= 2; ++word) {
            for (int bit = 0; bit < 32; ++bit) {
                start.ShowLines(word == 1 ? Bit(bit) : 0, word == 2 ? Bit(bit) : 0);
                speed.ShowLines(word == 1 ? Bit(bit) : 0, word == 2 ? Bit(bit) : 0);
                Lines lit;
                for (QWidget* sheet : {&startSheet, &speedSheet}) {
                    for (const ShapeWidget* line : sheet->findChildren<ShapeWidget*>()) {
                        if (line->brushColor() == colours::Red) {
                            lit.insert(line->objectName());
                        }
                    }
                }
                Lines expected = {"Shape_SpeedInput1B", "Shape_SpeedInput2B"};
                for (const BitOwner& owner : owners) {
                    if (owner.word == word && owner.bit == bit) {
                        const QString line = QLatin1String(owner.line);
                        if (line.endsWith("Input1A") || line.endsWith("Input2A")) {
                            expected.erase(QString(line).replace(line.size() - 1, 1, "B"));
                        }
                        expected.insert(line);
                    }
                }
                EXPECT_EQ(lit, expected) << type << " word " << word << " bit " << bit;
            }
        }
    }
}

TEST(UnitAndPcPageTest, FieldsGoFromUnknownToReadValues) {
    QWidget unitSheet;
    UnitPage unit(&unitSheet);
    unit.Reset();
    EXPECT_EQ(unit.Edit_OrvatronicDevice->text(), "?");
    EXPECT_EQ(FieldColour(unit.Edit_OrvatronicDevice), colours::Yellow);
    unit.UnitDeviceDisplay("Orvatronic  sim");
    unit.UnitFirmwareDisplay("?");
    EXPECT_EQ(FieldColour(unit.Edit_OrvatronicDevice), colours::Silver);
    EXPECT_EQ(unit.Edit_OrvatronicFirmware->text(), "?");
    EXPECT_EQ(FieldColour(unit.Edit_OrvatronicFirmware), colours::Silver);
    EXPECT_FALSE(unit.SpeedButton_OrvatronicDevice->isEnabled());

    QWidget pcSheet;
    PcPage pc(&pcSheet);
    EXPECT_EQ(pc.Edit_VersionKalvio->text(), "Kalvio V00.08-a");
    EXPECT_EQ(FieldColour(pc.Edit_VersionKalvio), colours::Silver);
    EXPECT_TRUE(pc.Edit_SpracheCRC->isHidden());
}

// Columns of the button's picture with ink (darker than the face) between its frame rows.
std::vector<bool> InkColumns(QWidget* button) {
    const QImage picture = button->grab().toImage();
    std::vector<bool> ink(static_cast<std::size_t>(picture.width()), false);
    for (int x = 2; x < picture.width() - 2; ++x) {
        for (int y = 2; y < picture.height() - 2; ++y) {
            if (qGray(picture.pixel(x, y)) < 160) {
                ink[static_cast<std::size_t>(x)] = true;
            }
        }
    }
    return ink;
}

// The glyph is the first run of inked columns, the caption begins at the next one; between
// them lie the 10 pixels plus the glyph's own transparent edge column and the first letter's
// side bearing, at most one pixel each.
TEST(PcPageTest, GlyphAndCaptionOfTheServiceButtonsStandTenPixelsApart) {
    QWidget sheet;
    sheet.resize(653, 520);
    PcPage page(&sheet);
    sheet.show();
    for (QToolButton* button :
         {page.SpeedButton_Update, page.SpeedButton_Support, page.SpeedButton_Hilfe}) {
        for (const QString& caption : {button->text(), QStringLiteral("Open")}) {
            SCOPED_TRACE(button->objectName().toStdString() + " " + caption.toStdString());
            button->setText(caption);
            const std::vector<bool> ink = InkColumns(button);
            const auto glyphStart = std::find(ink.begin(), ink.end(), true);
            const auto glyphEnd = std::find(glyphStart, ink.end(), false);
            const auto captionStart = std::find(glyphEnd, ink.end(), true);
            ASSERT_NE(captionStart, ink.end());
            EXPECT_EQ(glyphEnd - glyphStart, 11) << "the glyph's frame";
            EXPECT_GE(captionStart - glyphEnd, 10);
            EXPECT_LE(captionStart - glyphEnd, 12);
        }
    }
    int clicks = 0;
    QObject::connect(page.SpeedButton_Hilfe, &QToolButton::clicked, [&clicks] { ++clicks; });
    QTest::mouseClick(page.SpeedButton_Hilfe, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(page.SpeedButton_Hilfe->focusPolicy(), Qt::NoFocus);
}

// A technician may click into a value to copy it; Tab never stops there and nothing is
// selected on entry.
TEST(ReadOnlyFieldTest, ClickFocusOnlyAndRightClickShowsNoMenu) {
    QWidget sheet;
    auto* editable = new QLineEdit(&sheet);
    QLineEdit* field =
        page_widgets::ReadOnlyField(&sheet, "Edit_Test", {0, 30, 100, 21}, colours::Silver);
    field->setText("Orvatronic  sim");
    sheet.show();
    QApplication::setActiveWindow(&sheet);
    editable->setFocus();
    QTest::keyClick(editable, Qt::Key_Tab);
    EXPECT_NE(sheet.focusWidget(), field);
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(sheet.focusWidget(), field);
    EXPECT_EQ(field->selectedText(), "");

    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                            field->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(field, &click);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_TRUE(field->isReadOnly());
}

}  // namespace
