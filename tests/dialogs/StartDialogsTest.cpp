// The four start signal dialogs, each driven as a user does: shown, typed into, stepped,
// confirmed or cancelled; the writer's slots show what OK placed.
#include <gtest/gtest.h>

#include <QTest>
#include <QToolButton>

#include "DialogDriver.h"
#include "StateColours.h"
#include "TFormStartDelay.h"
#include "TFormStartDelayMM.h"
#include "TFormStartGenerator.h"
#include "TFormStartModus.h"

using dialog_test::Slots;
using dialog_test::TypeInto;
using Strings = std::vector<std::string>;

namespace {

const QColor& Green = state_colours::MoneyGreen;
const QColor& Red = state_colours::Red;

QColor ColourOf(const QLineEdit* field) {
    return state_colours::FieldColour(field);
}

class StartModeDialog : public ::testing::Test, public dialog_test::Bench {
  protected:
    TFormStartModus dialog{&mainWindow, state, &writer};
};

TEST_F(StartModeDialog, ListHoldsTheFourModesInOrder) {
    const QStringList expected{"Aus", "Generator", QString::fromUtf8("Verzögerung"), "Verschieben"};
    QStringList items;
    for (int i = 0; i < dialog.ComboBox_StartModus->count(); ++i) {
        items << dialog.ComboBox_StartModus->itemText(i);
    }
    EXPECT_EQ(items, expected);
    EXPECT_FALSE(dialog.ComboBox_StartModus->isEditable());
    EXPECT_EQ(dialog.ComboBox_StartModus->maxVisibleItems(), 13);
    EXPECT_EQ(state_colours::FieldColour(dialog.ComboBox_StartModus), state_colours::SkyBlue);
    EXPECT_EQ(dialog.windowTitle(), "Modus einstellen");
    EXPECT_EQ(dialog.Label_StartModus->text(), "Modus:");
    EXPECT_EQ(dialog.ModeName(2), QString::fromUtf8("Verzögerung"));
    EXPECT_EQ(dialog.ModeName(9), "Aus");
    EXPECT_EQ(dialog.ModeName(-1), "Aus");
}

TEST_F(StartModeDialog, PreselectsTheUnitsModeAndOkSendsTheChoiceThenSaveAndReset) {
    struct Row {
        int unitMode;
        int preselected;
        int chosen;  // -1: no selection
        const char* command;
    };
    const Row rows[] = {
        {2, 2, 0, "START.CMD 0"}, {0, 0, 1, "START.CMD 1"},   {1, 1, 2, "START.CMD 2"},
        {3, 3, 3, "START.CMD 3"}, {7, -1, -1, "START.CMD 0"},
    };
    for (const Row& row : rows) {
        writer.SetSlot1("");
        state.StartModus = row.unitMode;
        dialog_test::Show(dialog);
        EXPECT_EQ(dialog.ComboBox_StartModus->currentIndex(), row.preselected) << row.unitMode;
        dialog.ComboBox_StartModus->setCurrentIndex(row.chosen);
        dialog.BitBtn_OK->click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(Slots(writer), (Strings{row.command, "KONFIG.SAVE", "RESET"})) << row.chosen;
    }
}

TEST_F(StartModeDialog, ArrowKeysInTheListThenCancelSendNothing) {
    state.StartModus = 1;
    dialog_test::Show(dialog);
    dialog.ComboBox_StartModus->setFocus();
    QTest::keyClick(dialog.ComboBox_StartModus, Qt::Key_Down);
    EXPECT_EQ(dialog.ComboBox_StartModus->currentIndex(), 2);
    dialog.BitBtn_Cancel->click();
    EXPECT_EQ(Slots(writer), (Strings{"", "", ""}));
    dialog_test::Show(dialog);
    EXPECT_EQ(dialog.ComboBox_StartModus->currentIndex(), 1) << "a cancelled choice is not kept";
    dialog.hide();
}

class StartGeneratorDialog : public ::testing::Test, public dialog_test::Bench {
  protected:
    void SetUp() override {
        state.StartGeneratorOn = 250;
        state.StartGeneratorOff = 750;
        dialog_test::Show(dialog);
    }
    void TearDown() override { dialog.hide(); }
    QLineEdit* field(bool high) {
        return high ? dialog.Edit_StartGeneratorOn : dialog.Edit_StartGeneratorOff;
    }
    TFormStartGenerator dialog{&mainWindow, state, &writer};
};

TEST_F(StartGeneratorDialog, OpensWithTheUnitsTimesAndOkSendsThem) {
    EXPECT_EQ(dialog.Edit_StartGeneratorOn->text(), "250");
    EXPECT_EQ(dialog.Edit_StartGeneratorOff->text(), "750");
    EXPECT_EQ(dialog.Label_StartGeneratorOnWertebereich->text(), "[1..30000]");
    EXPECT_EQ(dialog.Label_StartGeneratorOffEinheit->text(), "ms");
    EXPECT_EQ(dialog.Label_StartGeneratorOn->text(), "High:");
    EXPECT_EQ(dialog.Label_StartGeneratorOff->text(), "Low:");
    EXPECT_EQ(dialog.UpDown_StartGeneratorOn->Minimum(), 1);
    EXPECT_EQ(dialog.UpDown_StartGeneratorOn->Maximum(), 30000);
    EXPECT_TRUE(dialog.BitBtn_OK->isEnabled());
    dialog.BitBtn_OK->click();
    EXPECT_EQ(Slots(writer), (Strings{"START.GENERATOR 250 750", "KONFIG.SAVE", ""}));
}

// Typed sequences, one row each: after typing into the high (or low) field, its text and
// colour and the state of OK, with the two-field rule.
TEST_F(StartGeneratorDialog, TypingIntoEitherField) {
    struct Step {
        bool high;
        const char* typed;
        const char* shown;
        bool red;
        bool okEnabled;
    };
    struct Row {
        const char* name;
        std::vector<Step> steps;
        const char* command;  // what OK then sends, or nullptr when OK stays disabled
    };
    const Row rows[] = {
        {"too high", {{true, "40000", "30000", false, true}}, "START.GENERATOR 30000 750"},
        {"zero", {{true, "0", "1", false, true}}, "START.GENERATOR 1 750"},
        {"low cleared, then 5",
         {{false, "", "", true, false}, {false, "5", "5", false, true}},
         "START.GENERATOR 250 5"},
        {"high cleared while low valid", {{true, "", "", true, false}}, nullptr},
        {"both cleared, high typed first",
         {{true, "", "", true, false},
          {false, "", "", true, false},
          {true, "7", "7", false, false},
          {false, "8", "8", false, true}},
         "START.GENERATOR 7 8"},
        {"letters after digits", {{false, "12a", "12", false, true}}, "START.GENERATOR 250 12"},
        // each key is checked: the first "0" is already corrected to "1"
        {"zeros typed", {{true, "007", "107", false, true}}, "START.GENERATOR 107 750"},
    };
    for (const Row& row : rows) {
        writer.SetSlot1("");
        dialog_test::Show(dialog);  // every showing starts again from the unit's times
        for (const Step& step : row.steps) {
            TypeInto(field(step.high), step.typed);
            EXPECT_EQ(field(step.high)->text(), step.shown) << row.name;
            EXPECT_EQ(ColourOf(field(step.high)), step.red ? Red : Green) << row.name;
            EXPECT_EQ(dialog.BitBtn_OK->isEnabled(), step.okEnabled) << row.name;
        }
        QTest::keyClick(field(row.steps.back().high), Qt::Key_Return);
        if (row.command != nullptr) {
            EXPECT_FALSE(dialog.isVisible()) << row.name << ": Enter is OK";
            EXPECT_EQ(Slots(writer)[0], row.command) << row.name;
        } else {
            EXPECT_TRUE(dialog.isVisible()) << row.name << ": Enter does nothing";
            EXPECT_EQ(Slots(writer)[0], "") << row.name;
            dialog.BitBtn_Cancel->click();
        }
    }
}

class OneFieldStartDialogs : public ::testing::Test, public dialog_test::Bench {};

// The delay and the shift dialog share their behaviour; each row runs on both where it fits.
TEST_F(OneFieldStartDialogs, TypingSteppingAndOk) {
    TFormStartDelay delay(&mainWindow, state, &writer);
    TFormStartDelayMM shift(&mainWindow, state, &writer);
    struct Dialog {
        IntegerValueDialog* dialog;
        QLineEdit* field;
        UpDownControl* upDown;
        const char* command;
        int maximum;
    };
    const Dialog dialogs[] = {
        {&delay, delay.Edit_StartDelay, delay.UpDown_StartDelay, "START.DELAY", 16000},
        {&shift, shift.Edit_StartDelayMM, shift.UpDown_StartDelayMM, "START.SHIFT", 1333},
    };
    struct Row {
        const char* name;
        std::function<void(const Dialog&)> act;
        const char* shown;  // nullptr: the maximum
        bool red;
    };
    const Row rows[] = {
        {"zero accepted", [](const Dialog& d) { TypeInto(d.field, "0"); }, "0", false},
        {"above range", [](const Dialog& d) { TypeInto(d.field, "99999"); }, nullptr, false},
        {"just above range",
         [](const Dialog& d) { TypeInto(d.field, QString::number(d.maximum + 1)); }, nullptr,
         false},
        {"leading zeros", [](const Dialog& d) { TypeInto(d.field, "0070"); }, "70", false},
        {"letter typed", [](const Dialog& d) { TypeInto(d.field, "12a"); }, "12", false},
        {"pasted garbage reverts",
         [](const Dialog& d) {
             TypeInto(d.field, "33");
             d.field->setText("x9");
         },
         "33", false},
        {"minus is no beginning here", [](const Dialog& d) { TypeInto(d.field, "-"); }, "0", false},
        {"cleared", [](const Dialog& d) { TypeInto(d.field, ""); }, "", true},
        {"up click at the top does not wrap",
         [](const Dialog& d) {
             TypeInto(d.field, QString::number(d.maximum));
             d.upDown->UpButton()->click();
         },
         nullptr, false},
        {"down click at zero does not wrap",
         [](const Dialog& d) {
             TypeInto(d.field, "0");
             d.upDown->DownButton()->click();
         },
         "0", false},
        {"arrow keys step by one",
         [](const Dialog& d) {
             TypeInto(d.field, "5");
             QTest::keyClick(d.field, Qt::Key_Up);
             QTest::keyClick(d.field, Qt::Key_Up);
             QTest::keyClick(d.field, Qt::Key_Down);
         },
         "6", false},
        {"up click after clearing continues from the last accepted value",
         [](const Dialog& d) {
             TypeInto(d.field, "9");
             TypeInto(d.field, "");
             d.upDown->UpButton()->click();
         },
         "10", false},
    };
    for (const Dialog& d : dialogs) {
        for (const Row& row : rows) {
            writer.SetSlot1("");
            writer.SetSlot2("");
            dialog_test::Show(*d.dialog);
            row.act(d);
            const QString shown =
                row.shown != nullptr ? QString(row.shown) : QString::number(d.maximum);
            EXPECT_EQ(d.field->text(), shown) << d.command << ": " << row.name;
            EXPECT_EQ(ColourOf(d.field), row.red ? Red : Green) << d.command << ": " << row.name;
            EXPECT_EQ(d.dialog->BitBtn_OK->isEnabled(), !row.red) << d.command << row.name;
            d.dialog->BitBtn_OK->click();
            const Strings expected =
                row.red ? Strings{"", "", ""}
                        : Strings{std::string(d.command) + " " + shown.toStdString(), "KONFIG.SAVE",
                                  ""};
            EXPECT_EQ(Slots(writer), expected) << d.command << ": " << row.name;
            d.dialog->hide();
        }
    }
}

TEST_F(OneFieldStartDialogs, OpensWithTheUnitsValueOnEveryShowing) {
    TFormStartDelay delay(&mainWindow, state, &writer);
    state.StartDelayMS = 1200;
    dialog_test::Show(delay);
    EXPECT_EQ(delay.Edit_StartDelay->text(), "1200");
    TypeInto(delay.Edit_StartDelay, "");
    EXPECT_EQ(ColourOf(delay.Edit_StartDelay), Red);
    delay.BitBtn_Cancel->click();
    dialog_test::Show(delay);
    EXPECT_EQ(delay.Edit_StartDelay->text(), "1200") << "edits of a cancelled showing are gone";
    EXPECT_EQ(ColourOf(delay.Edit_StartDelay), Green);
    EXPECT_TRUE(delay.BitBtn_OK->isEnabled());
    delay.BitBtn_OK->click();
    EXPECT_EQ(Slots(writer), (Strings{"START.DELAY 1200", "KONFIG.SAVE", ""}));
}

// A value outside the field's range (a unit with other firmware) opens at the nearest bound,
// never at a number folded into 16 bits.
TEST_F(OneFieldStartDialogs, UnitValuesOutsideTheRangeOpenAtTheNearestBound) {
    TFormStartDelayMM shift(&mainWindow, state, &writer);
    for (const auto& [unitValue, shown] :
         std::vector<std::pair<int, const char*>>{{65536 + 100, "1333"}, {-70000, "0"}}) {
        state.StartDelayMM = unitValue;
        dialog_test::Show(shift);
        EXPECT_EQ(shift.Edit_StartDelayMM->text(), shown) << unitValue;
        shift.hide();
    }
}

TEST_F(OneFieldStartDialogs, LabelsAndCaptions) {
    TFormStartDelay delay(&mainWindow, state, &writer);
    TFormStartDelayMM shift(&mainWindow, state, &writer);
    EXPECT_EQ(delay.windowTitle(), "Signallaufzeit einstellen");
    EXPECT_EQ(delay.Label_StartDelay->text(), "Signallaufzeit:");
    EXPECT_EQ(delay.Label_StartDelayEinheit->text(), "ms");
    EXPECT_EQ(delay.Label_StartDelayWertebereich->text(), "[0..16000]");
    EXPECT_EQ(delay.Edit_StartDelay->width(), 96);
    EXPECT_NE(delay.findChild<QGroupBox*>("GroupBox_StartDelay"), nullptr);
    EXPECT_EQ(shift.windowTitle(), "Signalverschiebung einstellen");
    EXPECT_EQ(shift.Label_StartDelayMM->text(), "Signalverschiebung:");
    EXPECT_EQ(shift.Label_StartDelayMMEinheit->text(), "mm");
    EXPECT_EQ(shift.Label_StartDelayMMWertebereich->text(), "[0..1333]");
    EXPECT_NE(shift.findChild<QGroupBox*>("GroupBox_StartDelayMM"), nullptr);
}

}  // namespace
