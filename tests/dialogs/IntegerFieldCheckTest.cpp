// The integer field check: what it makes of a text, and what it does to a field whose dialog
// is not shown.
#include <gtest/gtest.h>

#include <QPushButton>

#include "DialogDriver.h"
#include "IntegerFieldCheck.h"
#include "StateColours.h"
#include "TFormStartDelay.h"
#include "TFormStartGenerator.h"

namespace {

TEST(IntegerFieldCheckJudge, TextsAgainstTheirRanges) {
    struct Row {
        const char* text;
        int minimum, maximum, lastAccepted;
        bool valid;
        int value;
        bool rewrite;
    };
    const Row rows[] = {
        // within range and already in decimal form: kept as typed
        {"250", 1, 30000, 1, true, 250, false},
        {"0", 0, 16000, 5, true, 0, false},
        {"-150", -2000, 2000, 1, true, -150, false},
        {" 42\t", 0, 100, 0, true, 42, false},  // blanks and controls around are not compared
        // clamped into range
        {"0", 1, 30000, 5, true, 1, true},
        {"99999", 0, 16000, 0, true, 16000, true},
        {"40000", 1, 30000, 9, true, 30000, true},
        {"1500", 0, 1333, 0, true, 1333, true},
        {"-2500", -2000, 2000, 1, true, -2000, true},
        {"-5", 0, 16000, 3, true, 0, true},
        {"99999999999999999999", 0, 16000, 4, true, 16000, true},  // no overflow
        {"-99999999999999999999", -2000, 2000, 4, true, -2000, true},
        // another spelling of a number: rewritten
        {"007", 0, 16000, 0, true, 7, true},
        {"+5", 0, 16000, 0, true, 5, true},
        {"-0", -2000, 2000, 1, true, 0, true},
        // not a number: back to the last accepted value
        {"12a", 0, 16000, 12, true, 12, true},
        {"abc", 1, 30000, 250, true, 250, true},
        {"1e3", 0, 16000, 8, true, 8, true},
        {"1 2", 0, 16000, 8, true, 8, true},
        {"--5", -2000, 2000, 3, true, 3, true},
        {"+", 0, 100, 6, true, 6, true},
        // "-" alone is a beginning only where negative numbers are in range
        {"-", 0, 16000, 7, true, 7, true},
        {"-", -2000, 2000, 7, false, 0, false},
        {" - ", -2000, 2000, 7, false, 0, false},
        // nothing to read: invalid, the text stays for the user to go on
        {"", 0, 16000, 7, false, 0, false},
        {"   ", 1, 30000, 7, false, 0, false},
        {"\t\r\n", 1, 30000, 7, false, 0, false},
    };
    for (const Row& row : rows) {
        const auto verdict =
            IntegerFieldCheck::Judge(row.text, row.minimum, row.maximum, row.lastAccepted);
        EXPECT_EQ(verdict.valid, row.valid) << '"' << row.text << '"';
        if (row.valid) {
            EXPECT_EQ(verdict.value, row.value) << '"' << row.text << '"';
            EXPECT_EQ(verdict.rewrite, row.rewrite) << '"' << row.text << '"';
        }
    }
}

TEST(IntegerFieldCheckStripped, RemovesBlanksAndControlsAtBothEndsOnly) {
    EXPECT_EQ(IntegerFieldCheck::Stripped(" \t12 3\x7f\n"), "12 3");
    EXPECT_EQ(IntegerFieldCheck::Stripped(" \x01 "), "");
    EXPECT_EQ(IntegerFieldCheck::Stripped("-"), "-");
}

class HiddenDialogCheck : public ::testing::Test, public dialog_test::Bench {};

// Before a dialog is shown (the program sets up its fields at start-up) nothing is judged.
TEST_F(HiddenDialogCheck, NotVisibleMeansValidAndOkEnabled) {
    TFormStartDelay dialog(&mainWindow, state, &writer);
    ASSERT_FALSE(dialog.isVisible());
    for (const char* text : {"", "abc", "99999", "-"}) {
        dialog.BitBtn_OK->setEnabled(false);
        dialog.Edit_StartDelay->setText(text);
        EXPECT_EQ(dialog.Edit_StartDelay->text(), text) << "left as set";
        EXPECT_EQ(state_colours::FieldColour(dialog.Edit_StartDelay), state_colours::MoneyGreen)
            << text;
        EXPECT_TRUE(dialog.BitBtn_OK->isEnabled()) << text;
    }
}

TEST_F(HiddenDialogCheck, FieldsStartWithTheirInitialValues) {
    TFormStartDelay delay(&mainWindow, state, &writer);
    TFormStartGenerator generator(&mainWindow, state, &writer);
    EXPECT_EQ(delay.Edit_StartDelay->text(), "0");
    EXPECT_EQ(generator.Edit_StartGeneratorOn->text(), "1");
    EXPECT_EQ(generator.Edit_StartGeneratorOff->text(), "1");
    EXPECT_EQ(state_colours::FieldColour(generator.Edit_StartGeneratorOn),
              state_colours::MoneyGreen);
}

// A check told to stay quiet only colours and enables, as the factor dialog's own writes need.
TEST(IntegerFieldCheckHooks, ChecksOffOnlyColoursAndEnables) {
    QWidget dialog;
    auto* field = new QLineEdit(&dialog);
    auto* upDown = new UpDownControl(&dialog);
    auto* ok = new QPushButton(&dialog);
    upDown->SetRange(-2000, 2000);
    upDown->SetAssociate(field);
    IntegerFieldCheck check(field, upDown, ok, &dialog);
    QObject::connect(field, &QLineEdit::textChanged, [&] { check.Run(); });
    int accepted = 0;
    check.SetAfterAccept([&] { ++accepted; });
    check.SetAcceptedColour(state_colours::Silver);
    dialog_test::Show(dialog);

    check.SetChecksOn(false);
    ok->setEnabled(false);
    field->setText("max");
    EXPECT_EQ(field->text(), "max");
    EXPECT_EQ(state_colours::FieldColour(field), state_colours::Silver);
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(accepted, 0);

    check.SetChecksOn(true);
    field->setText("-0042");
    EXPECT_EQ(field->text(), "-42");
    EXPECT_EQ(upDown->Position(), -42);
    EXPECT_EQ(state_colours::FieldColour(field), state_colours::Silver);
    EXPECT_EQ(accepted, 1) << "once per accepted text, the rewrite included";

    field->setText("-");
    EXPECT_EQ(state_colours::FieldColour(field), state_colours::Red);
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_EQ(accepted, 1);
}

}  // namespace
