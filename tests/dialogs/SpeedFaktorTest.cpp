// The speed factor dialog, driven as a user does: typing and pasting factors, stepping them,
// entering the wanted output instead, the live input speed, OK, Cancel and the keys, under a
// point and a comma locale.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLocale>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "DialogDriver.h"
#include "StateColours.h"
#include "TFormSpeedFaktor.h"

using dialog_test::Slots;
using dialog_test::TypeInto;
using Strings = std::vector<std::string>;

namespace {

const QColor& Green = state_colours::MoneyGreen;
const QColor& Red = state_colours::Red;
const QColor& Silver = state_colours::Silver;

class SpeedFactorDialog : public ::testing::Test, public dialog_test::Bench {
  protected:
    void SetUp() override { MakeDialog(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    // The separator is taken from the default locale when the dialog is made.
    void MakeDialog(const QLocale& locale) {
        QLocale::setDefault(locale);
        dialog = std::make_unique<TFormSpeedFaktor>(&mainWindow, state, &writer);
    }

    // The unit's factor and the measured input speed as the reader and the page hand them over.
    void Open(int factor, int input) {
        dialog->hide();
        state.SpeedFaktor = factor;
        SetInput(input);
        dialog->show();
        ASSERT_TRUE(dialog->isVisible());
    }
    void SetInput(int input) {
        state.SpeedInput = input;
        dialog->ShowInputSpeed(QString::number(input));
    }
    void ChooseOutputMode() {
        QTest::mouseClick(dialog->RadioButton_SpeedFaktorSoll, Qt::LeftButton);
    }
    void ChooseFactorMode() {
        QTest::mouseClick(dialog->RadioButton_SpeedFaktorFaktor, Qt::LeftButton);
    }
    void Paste(QLineEdit* field, const QString& text) {
        QApplication::clipboard()->setText(text);
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    }

    QLineEdit* factor() const { return dialog->Edit_SpeedFaktor; }
    QLineEdit* output() const { return dialog->Edit_SpeedSoll; }
    static QColor Colour(const QLineEdit* field) { return state_colours::FieldColour(field); }
    bool OkEnabled() const { return dialog->BitBtn_OK->isEnabled(); }

    std::unique_ptr<TFormSpeedFaktor> dialog;
};

TEST_F(SpeedFactorDialog, ControlsCarryTheirNamesAndBuiltInTexts) {
    const std::pair<const char*, const char*> labels[] = {
        {"Label_SpeedIst", "Eingang:"},
        {"Label1", "mm/s"},
        {"Label_SpeedFaktor", "Faktor:"},
        {"Label_SpeedFaktorWertebereich", "[-99.999..99.999]"},
        {"Label_SpeedSoll", "Ausgang:"},
        {"Label_SpeedSollEinheit", "mm/s"},
        {"Label_SpeedSollWertebereich", "[-2000..2000]"},
        {"Label_SpeedFaktorRechnung", "x                          ="},
    };
    for (const auto& [name, text] : labels) {
        const auto* label = dialog->findChild<QLabel*>(name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), text) << name;
    }
    for (const char* name : {"Edit_SpeedIst", "Edit_SpeedFaktor", "Edit_SpeedSoll"}) {
        EXPECT_NE(dialog->findChild<QLineEdit*>(name), nullptr) << name;
    }
    for (const char* name : {"UpDown_SpeedFaktor", "UpDown_SpeedSoll"}) {
        EXPECT_NE(dialog->findChild<UpDownControl*>(name), nullptr) << name;
    }
    for (const char* name : {"RadioButton_SpeedFaktorFaktor", "RadioButton_SpeedFaktorSoll"}) {
        EXPECT_NE(dialog->findChild<QRadioButton*>(name), nullptr) << name;
    }
    EXPECT_NE(dialog->findChild<QGroupBox*>("GroupBox_SpeedFaktor"), nullptr);
    EXPECT_EQ(dialog->objectName(), "FormSpeedFaktor");
    EXPECT_EQ(dialog->windowTitle(), "Faktor einstellen");
    EXPECT_EQ(dialog->size(), QSize(517, 216));
    // As created: factor mode, factor 0, input and output 1.
    EXPECT_TRUE(dialog->RadioButton_SpeedFaktorFaktor->isChecked());
    EXPECT_EQ(dialog->FaktorValue, 0);
    EXPECT_EQ(factor()->text(), "0");
    EXPECT_EQ(dialog->Edit_SpeedIst->text(), "1");
    EXPECT_EQ(output()->text(), "1");
    EXPECT_TRUE(output()->isReadOnly());
    EXPECT_FALSE(dialog->UpDown_SpeedSoll->isEnabled());
    EXPECT_TRUE(dialog->Edit_SpeedIst->isReadOnly());
    EXPECT_FALSE(dialog->Edit_SpeedIst->focusPolicy() & Qt::TabFocus);
}

struct EntryRow {
    int input;
    const char* entered;
    bool pasted;             // typed key by key otherwise
    const char* factorText;  // the factor field afterwards
    bool factorRed;
    int32_t faktorValue;
    const char* outputText;
    bool outputRed;
};

TEST_F(SpeedFactorDialog, EnteredFactorsComputeTheOutput) {
    const EntryRow rows[] = {
        {500, "1.2", false, "1.2", false, 1200, "600", false},
        {-300, "2.500", false, "2.500", false, 2500, "-750", false},
        {1000, "1.0009", false, "1.0009", false, 1000, "1000", false},
        {1000, "-0.0005", false, "-0.0005", false, 0, "0", false},
        {1000, "-1.5e-1", true, "-1.5e-1", false, -150, "-150", false},
        {1000, "0.0015E3", true, "0.0015E3", false, 1500, "1500", false},
        {1500, "1.500", false, "1.500", false, 1500, "max", true},
        {-1000, "2.001", false, "2.001", false, 2001, "min", true},
        {10, "150", false, "99.999", false, 99999, "999", false},
        {10, "-150", false, "-99.999", false, -99999, "-999", false},
        {10, "1e99999999999999999999", true, "99.999", false, 99999, "999", false},
        {10, "-1e400", true, "-99.999", false, -99999, "-999", false},
        {0, "99.999", false, "99.999", false, 99999, "0", false},
        {0, "-99.999", false, "-99.999", false, -99999, "0", false},
        {500, "abc", false, "", true, 0, "0", false},
        {500, "1,2", true, "", true, 0, "0", false},
        {500, "1e", true, "", true, 0, "0", false},
        {500, "", false, "", true, 0, "0", false},
        {500, "-", false, "-", true, 0, "0", false},
        {500, " 1.2 ", true, " 1.2 ", false, 1200, "600", false},
    };
    for (const EntryRow& row : rows) {
        Open(0, row.input);
        (row.pasted ? Paste(factor(), row.entered) : TypeInto(factor(), row.entered));
        const std::string label =
            "'" + std::string(row.entered) + "' at " + std::to_string(row.input);
        EXPECT_EQ(factor()->text(), row.factorText) << label;
        EXPECT_EQ(Colour(factor()), row.factorRed ? Red : Green) << label;
        EXPECT_EQ(dialog->FaktorValue, row.faktorValue) << label;
        EXPECT_EQ(output()->text(), row.outputText) << label;
        EXPECT_EQ(Colour(output()), row.outputRed ? Red : Silver) << label;
        EXPECT_EQ(OkEnabled(), !row.factorRed && !row.outputRed) << label;
    }
}

TEST_F(SpeedFactorDialog, StepsByClickAndArrowKeyStopAtTheRange) {
    using Act = std::function<void(TFormSpeedFaktor&)>;
    const auto key = [](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) -> Act {
        return [k, m](TFormSpeedFaktor& d) { QTest::keyClick(d.Edit_SpeedFaktor, k, m); };
    };
    const auto click = [](bool up) -> Act {
        return [up](TFormSpeedFaktor& d) {
            (up ? d.UpDown_SpeedFaktor->UpButton() : d.UpDown_SpeedFaktor->DownButton())->click();
        };
    };
    const std::tuple<int, Act, const char*, const char*> rows[] = {
        {1000, key(Qt::Key_Up), "1.100", "1100"},
        {1000, key(Qt::Key_Up, Qt::ShiftModifier), "1.001", "1001"},
        {1000, key(Qt::Key_Up, Qt::ControlModifier), "1.001", "1001"},
        {1000, key(Qt::Key_Down, Qt::AltModifier), "0.999", "999"},
        {1000, key(Qt::Key_Down), "0.900", "900"},
        {50, key(Qt::Key_Down), "-0.050", "-50"},
        {99999, key(Qt::Key_Up), "99.999", "max"},
        {99950, key(Qt::Key_Up), "99.999", "max"},
        {-99950, key(Qt::Key_Down), "-99.999", "min"},
        {99999, click(true), "99.999", "max"},
        {0, click(false), "-0.001", "-1"},
        {1999, click(true), "2.000", "2000"},
        {2000, click(true), "2.001", "max"},
    };
    for (const auto& [unitFactor, act, factorText, outputText] : rows) {
        Open(unitFactor, 1000);
        factor()->setFocus();
        act(*dialog);
        EXPECT_EQ(factor()->text(), factorText) << unitFactor;
        EXPECT_EQ(output()->text(), outputText) << unitFactor;
        EXPECT_EQ(Colour(factor()), Green) << unitFactor;
        EXPECT_EQ(dialog->focusWidget(), factor()) << "the factor field keeps the focus";
    }
}

struct OutputRow {
    int input;
    const char* typed;
    const char* outputText;
    bool outputRed;
    const char* factorText;
    bool factorRed;
    int32_t faktorValue;
};

TEST_F(SpeedFactorDialog, EnteredOutputComputesTheFactor) {
    const OutputRow rows[] = {
        {500, "600", "600", false, "1.200", false, 1200},
        {1000, "700", "700", false, "0.700", false, 700},
        {3, "2", "2", false, "0.667", false, 666},
        {-3, "2", "2", false, "-0.667", false, -666},
        {-300, "-750", "-750", false, "2.500", false, 2500},
        {0, "600", "600", false, "max", true, 1000},
        {10, "2000", "2000", false, "max", true, 1000},
        {10, "-2000", "-2000", false, "min", true, 1000},
        {1000, "2500", "2000", false, "2.000", false, 2000},
        {1000, "007", "7", false, "0.007", false, 7},
        {1000, "", "", true, "", false, 0},
        {1000, "-", "-", true, "", false, 0},
    };
    for (const OutputRow& row : rows) {
        Open(0, row.input);
        ChooseOutputMode();
        TypeInto(output(), row.typed);
        const std::string label =
            "'" + std::string(row.typed) + "' at " + std::to_string(row.input);
        EXPECT_EQ(output()->text(), row.outputText) << label;
        EXPECT_EQ(Colour(output()), row.outputRed ? Red : Green) << label;
        if (*row.factorText != '\0') {
            EXPECT_EQ(factor()->text(), row.factorText) << label;
            EXPECT_EQ(Colour(factor()), row.factorRed ? Red : Silver) << label;
            EXPECT_EQ(dialog->FaktorValue, row.faktorValue) << label;
        }
        EXPECT_EQ(OkEnabled(), !row.outputRed && !row.factorRed) << label;
        EXPECT_TRUE(factor()->isReadOnly());
        EXPECT_FALSE(dialog->UpDown_SpeedFaktor->isEnabled());
    }
}

TEST_F(SpeedFactorDialog, InOutputModeTheFactorCannotBeStepped) {
    Open(1000, 500);
    ChooseOutputMode();
    factor()->setFocus();
    QTest::keyClick(factor(), Qt::Key_Up);
    EXPECT_EQ(factor()->text(), "1.000");
    EXPECT_EQ(dialog->FaktorValue, 1000);
}

TEST_F(SpeedFactorDialog, SwitchingModesCarriesTheComputedValueAcross) {
    Open(1000, 500);
    TypeInto(factor(), "1.2");
    ChooseOutputMode();
    EXPECT_EQ(output()->text(), "600");
    EXPECT_EQ(factor()->text(), "1.200");
    EXPECT_EQ(Colour(output()), Green);
    EXPECT_EQ(Colour(factor()), Silver);

    TypeInto(output(), "2");
    SetInput(3);
    ChooseFactorMode();
    EXPECT_EQ(factor()->text(), "0.666") << "the factor that OK would send, not the rounded one";
    EXPECT_EQ(output()->text(), "1");
    EXPECT_EQ(Colour(factor()), Green);
    EXPECT_EQ(Colour(output()), Silver);
    EXPECT_TRUE(output()->isReadOnly());
    EXPECT_FALSE(dialog->UpDown_SpeedSoll->isEnabled());

    // After "max" the output position is 0: output mode then computes the factor 0.
    SetInput(1000);
    TypeInto(factor(), "99");
    EXPECT_EQ(output()->text(), "max");
    ChooseOutputMode();
    EXPECT_EQ(output()->text(), "0");
    EXPECT_EQ(factor()->text(), "0.000");
    EXPECT_TRUE(OkEnabled());
}

TEST_F(SpeedFactorDialog, NewInputSpeedRecomputesWhileOpen) {
    Open(1500, 1500);
    EXPECT_EQ(output()->text(), "max");
    EXPECT_FALSE(OkEnabled());
    SetInput(1000);
    EXPECT_EQ(output()->text(), "1500");
    EXPECT_EQ(Colour(output()), Silver);
    EXPECT_TRUE(OkEnabled());
    SetInput(-2000);
    EXPECT_EQ(output()->text(), "min");
    EXPECT_FALSE(OkEnabled());

    ChooseOutputMode();  // the output position after "min" is 0
    TypeInto(output(), "750");
    SetInput(500);
    EXPECT_EQ(factor()->text(), "1.500");
    SetInput(0);
    EXPECT_EQ(factor()->text(), "max");
    EXPECT_FALSE(OkEnabled());
    // An unknown input speed leaves the computation with the last number read.
    state.SpeedInput = 250;
    dialog->ShowInputSpeed("?");
    EXPECT_EQ(dialog->Edit_SpeedIst->text(), "?");
    EXPECT_EQ(factor()->text(), "3.000");
    EXPECT_TRUE(OkEnabled());
}

TEST_F(SpeedFactorDialog, ExtremeUnitValuesNeitherOverflowNorFlipSign) {
    const std::tuple<int, int, const char*, const char*> rows[] = {
        {99999, 2000, "99.999", "max"},     {-99999, -2000, "-99.999", "max"},
        {-99999, 2000, "-99.999", "min"},   {99999, 0, "99.999", "0"},
        {150000, 10, "99.999", "999"},  // a faulty reply is never sent back
        {INT32_MIN, 10, "-99.999", "-999"}, {1000, INT32_MAX, "1.000", "max"},
    };
    for (const auto& [unitFactor, input, factorText, outputText] : rows) {
        Open(unitFactor, input);
        EXPECT_EQ(factor()->text(), factorText) << unitFactor << " x " << input;
        EXPECT_EQ(output()->text(), outputText) << unitFactor << " x " << input;
    }
}

TEST_F(SpeedFactorDialog, CommaLocaleShowsAndReadsCommas) {
    MakeDialog(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(dialog->DecimalSeparator(), ',');
    Open(1000, 500);
    EXPECT_EQ(factor()->text(), "1,000");
    Paste(factor(), "1.2");
    EXPECT_EQ(factor()->text(), "");
    EXPECT_EQ(Colour(factor()), Red);
    EXPECT_FALSE(OkEnabled());
    TypeInto(factor(), "1,2");
    EXPECT_EQ(output()->text(), "600");
    EXPECT_TRUE(OkEnabled());
    TypeInto(factor(), "-150");
    EXPECT_EQ(factor()->text(), "-99,999");
    ChooseOutputMode();
    SetInput(3);
    TypeInto(output(), "2");
    EXPECT_EQ(factor()->text(), "0,667");
    dialog->BitBtn_OK->click();
    EXPECT_EQ(Slots(writer), (Strings{"SPEED.FAKTOR 666", "KONFIG.SAVE", ""}));
}

// The launch as the page runs it: modal, covered, and closed by OK, Cancel or Escape.
TEST_F(SpeedFactorDialog, OkSendsTheTruncatedFactorThenSaveAndNothingElse) {
    const std::tuple<int, std::function<void()>, const char*> rows[] = {
        {500, [this] { TypeInto(factor(), "1.2"); }, "SPEED.FAKTOR 1200"},
        {3,
         [this] {
             ChooseOutputMode();
             TypeInto(output(), "2");
         },
         "SPEED.FAKTOR 666"},
        {10, [this] { TypeInto(factor(), "-150"); }, "SPEED.FAKTOR -99999"},
        {10, [] {}, "SPEED.FAKTOR 2000"},  // the unit's own factor, unchanged
    };
    for (const auto& [input, act, command] : rows) {
        writer.SetSlot1("");
        writer.SetSlot2("");
        dialog->RadioButton_SpeedFaktorFaktor->setChecked(true);
        state.SpeedFaktor = 2000;
        SetInput(input);
        bool timedOut = false;
        const int result = dialog_test::RunModal(
            *dialog,
            [&] {
                act();
                dialog->BitBtn_OK->click();
            },
            &timedOut);
        EXPECT_FALSE(timedOut);
        EXPECT_EQ(result, QDialog::Accepted);
        EXPECT_EQ(Slots(writer), (Strings{command, "KONFIG.SAVE", ""})) << command;
    }
}

TEST_F(SpeedFactorDialog, CancelEscapeAndEnterWhileOkIsDisabledSendNothing) {
    state.SpeedFaktor = 1000;
    SetInput(1500);
    const std::function<void()> acts[] = {
        [this] {
            TypeInto(factor(), "1.5");
            dialog->BitBtn_Cancel->click();
        },
        [this] {
            TypeInto(factor(), "1.5");
            QTest::keyClick(factor(), Qt::Key_Escape);
        },
        [this] {
            TypeInto(factor(), "1.5");  // output "max": OK disabled
            QTest::keyClick(factor(), Qt::Key_Return);
            QTest::keyClick(factor(), Qt::Key_Enter);
            EXPECT_TRUE(dialog->isVisible()) << "Enter does nothing while OK is disabled";
            QTest::keyClick(factor(), Qt::Key_Escape);
        },
    };
    for (const auto& act : acts) {
        bool timedOut = false;
        EXPECT_EQ(dialog_test::RunModal(*dialog, act, &timedOut), QDialog::Rejected);
        EXPECT_FALSE(timedOut);
        EXPECT_EQ(Slots(writer), (Strings{"", "", ""}));
    }
}

// A new showing starts from the unit's factor again; the mode and the output value stay.
TEST_F(SpeedFactorDialog, NextShowingStartsFromTheUnitsFactorAndKeepsModeAndOutput) {
    Open(1000, 500);
    TypeInto(factor(), "3");
    dialog->BitBtn_Cancel->click();
    Open(1000, 500);
    EXPECT_EQ(factor()->text(), "1.000");
    EXPECT_EQ(output()->text(), "500");

    ChooseOutputMode();
    TypeInto(output(), "250");
    dialog->BitBtn_Cancel->click();
    Open(4000, 1000);
    EXPECT_TRUE(dialog->RadioButton_SpeedFaktorSoll->isChecked());
    EXPECT_EQ(output()->text(), "250");
    EXPECT_EQ(factor()->text(), "0.250") << "computed from the kept output, not the unit's";
    EXPECT_EQ(dialog->FaktorValue, 250);
    EXPECT_EQ(dialog->focusWidget(), dialog->BitBtn_Cancel);
}

}  // namespace
