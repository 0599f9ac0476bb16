// The speed mode and speed generator dialogs, driven as a user does.
#include <gtest/gtest.h>

#include <QTest>
#include <QToolButton>

#include "DialogDriver.h"
#include "StateColours.h"
#include "TFormSpeedGenerator.h"
#include "TFormSpeedModus.h"

using dialog_test::Slots;
using dialog_test::TypeInto;
using Strings = std::vector<std::string>;

namespace {

class SpeedModeDialog : public ::testing::Test, public dialog_test::Bench {
  protected:
    TFormSpeedModus dialog{&mainWindow, state, &writer};
};

TEST_F(SpeedModeDialog, ListHoldsTheFiveModesInOrder) {
    const QStringList expected{"Aus", "Generator", "Geschwindigkeit anpassen (CPL)",
                               "Geschwindigkeit anpassen (TTL)", "Geschwindigkeit anpassen (24V)"};
    QStringList items;
    for (int i = 0; i < dialog.ComboBox_SpeedModus->count(); ++i) {
        items << dialog.ComboBox_SpeedModus->itemText(i);
    }
    EXPECT_EQ(items, expected);
    EXPECT_EQ(TFormSpeedModus::BuiltInModes(), expected);
    EXPECT_EQ(dialog.windowTitle(), "Modus einstellen");
    EXPECT_EQ(dialog.objectName(), "FormSpeedModus");
    EXPECT_NE(dialog.findChild<QGroupBox*>("GroupBox_SpeedModus"), nullptr);
}

TEST_F(SpeedModeDialog, PreselectsTheUnitsModeAndOkSendsTheChoiceThenSaveAndReset) {
    struct Row {
        int unitMode;
        int chosen;  // -1: no selection; -2: keep the preselection
        const char* command;
    };
    const Row rows[] = {
        {3, -2, "SPEED.CMD 3"}, {3, 0, "SPEED.CMD 0"},  {0, 4, "SPEED.CMD 4"},
        {4, 1, "SPEED.CMD 1"},  {2, -2, "SPEED.CMD 2"}, {1, -1, "SPEED.CMD 0"},
    };
    for (const Row& row : rows) {
        writer.SetSlot1("");
        state.SpeedModus = row.unitMode;
        dialog_test::Show(dialog);
        EXPECT_EQ(dialog.ComboBox_SpeedModus->currentIndex(), row.unitMode);
        if (row.chosen != -2) {
            dialog.ComboBox_SpeedModus->setCurrentIndex(row.chosen);
        }
        dialog.BitBtn_OK->click();
        EXPECT_EQ(Slots(writer), (Strings{row.command, "KONFIG.SAVE", "RESET"})) << row.command;
    }
}

TEST_F(SpeedModeDialog, EscapeSendsNothing) {
    state.SpeedModus = 3;
    dialog_test::Show(dialog);
    EXPECT_EQ(dialog.ComboBox_SpeedModus->currentText(), "Geschwindigkeit anpassen (TTL)");
    dialog.ComboBox_SpeedModus->setCurrentIndex(1);
    QTest::keyClick(dialog.BitBtn_Cancel, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(Slots(writer), (Strings{"", "", ""}));
}

class SpeedGeneratorDialog : public ::testing::Test, public dialog_test::Bench {
  protected:
    void SetUp() override { dialog_test::Show(dialog); }
    void TearDown() override { dialog.hide(); }
    QLineEdit* field() { return dialog.Edit_SpeedGenerator; }
    QColor colour() { return state_colours::FieldColour(field()); }
    TFormSpeedGenerator dialog{&mainWindow, state, &writer};
};

TEST_F(SpeedGeneratorDialog, MinusFirstThenDigitsGivesANegativeSpeed) {
    field()->setFocus();
    QTest::keyClick(field(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field(), "-");
    EXPECT_EQ(field()->text(), "-");
    EXPECT_EQ(colour(), state_colours::Red);
    EXPECT_FALSE(dialog.BitBtn_OK->isEnabled());
    QTest::keyClick(field(), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible()) << "Enter does nothing while OK is disabled";
    QTest::keyClicks(field(), "150");
    EXPECT_EQ(field()->text(), "-150");
    EXPECT_EQ(colour(), state_colours::MoneyGreen);
    EXPECT_TRUE(dialog.BitBtn_OK->isEnabled());
    dialog.BitBtn_OK->click();
    EXPECT_EQ(Slots(writer), (Strings{"SPEED.GENERATOR -150", "KONFIG.SAVE", ""}));
}

TEST_F(SpeedGeneratorDialog, TypedSpeeds) {
    struct Row {
        const char* typed;
        const char* shown;
        bool red;
    };
    const Row rows[] = {
        {"-2500", "-2000", false},
        {"2500", "2000", false},
        {"-0", "0", false},
        {"0", "0", false},
        {"", "", true},
        {"-", "-", true},
        {"+20", "20", false},
        {"-07", "7", false},  // "-0" is already rewritten to "0" before
                              // the 7 comes
        {"-17", "-17", false},
        {"1999", "1999", false},
    };
    for (const Row& row : rows) {
        dialog_test::Show(dialog);
        TypeInto(field(), row.typed);
        EXPECT_EQ(field()->text(), row.shown) << row.typed;
        EXPECT_EQ(colour(), row.red ? state_colours::Red : state_colours::MoneyGreen) << row.typed;
        EXPECT_EQ(dialog.BitBtn_OK->isEnabled(), !row.red) << row.typed;
    }
}

TEST_F(SpeedGeneratorDialog, StepsStopAtTheEndsOfTheRange) {
    TypeInto(field(), "-1999");
    QTest::keyClick(field(), Qt::Key_Down);
    QTest::keyClick(field(), Qt::Key_Down);
    EXPECT_EQ(field()->text(), "-2000");
    dialog.UpDown_SpeedGenerator->DownButton()->click();
    EXPECT_EQ(field()->text(), "-2000");
    TypeInto(field(), "1999");
    dialog.UpDown_SpeedGenerator->UpButton()->click();
    dialog.UpDown_SpeedGenerator->UpButton()->click();
    EXPECT_EQ(field()->text(), "2000");
    dialog.BitBtn_OK->click();
    EXPECT_EQ(Slots(writer)[0], "SPEED.GENERATOR 2000");
}

TEST_F(SpeedGeneratorDialog, OpensWithTheUnitsSpeedIncludingZeroAndNegative) {
    for (const auto& [speed, shown] :
         std::vector<std::pair<int, const char*>>{{0, "0"}, {-750, "-750"}, {2000, "2000"}}) {
        state.SpeedGenerator = speed;
        dialog_test::Show(dialog);
        EXPECT_EQ(field()->text(), shown);
        EXPECT_EQ(colour(), state_colours::MoneyGreen);
        dialog.hide();
    }
    EXPECT_EQ(dialog.Label_SpeedGeneratorWertebereich->text(), "[-2000..2000]");
    EXPECT_EQ(dialog.Label_SpeedGeneratorEinheit->text(), "mm/s");
    EXPECT_EQ(dialog.Label_SpeedGenerator->text(), "Geschwindigkeit:");
    EXPECT_EQ(dialog.windowTitle(), "Geschwindigkeit einstellen");
}

}  // namespace
