// Tab in every parameter dialog: from Abbrechen, where each showing puts the focus, through the
// setting's controls from top to bottom, then OK and Abbrechen again, never out of the dialog.
#include <gtest/gtest.h>

#include <QRadioButton>
#include <QTest>
#include <functional>
#include <memory>

#include "DialogDriver.h"
#include "TFormSpeedFaktor.h"
#include "TFormSpeedGenerator.h"
#include "TFormSpeedModus.h"
#include "TFormStartDelay.h"
#include "TFormStartDelayMM.h"
#include "TFormStartGenerator.h"
#include "TFormStartModus.h"

using Names = std::vector<std::string>;

namespace {

template <typename Dialog>
std::unique_ptr<ParameterDialogFrame> Make(dialog_test::Bench& bench) {
    return std::make_unique<Dialog>(&bench.mainWindow, bench.state, &bench.writer);
}

// The factor dialog in output mode, the output entered and the factor computed from it.
std::unique_ptr<ParameterDialogFrame> FactorDialogInOutputMode(dialog_test::Bench& bench) {
    bench.state.SpeedInput = 500;
    auto dialog = Make<TFormSpeedFaktor>(bench);
    static_cast<TFormSpeedFaktor&>(*dialog).RadioButton_SpeedFaktorSoll->setChecked(true);
    return dialog;
}

// The names of the controls that the focus visits, one key at a time, as a user's Tab.
Names TabRound(QWidget& dialog, int presses) {
    Names visited;
    for (int i = 0; i < presses; ++i) {
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
        visited.push_back(dialog.focusWidget()->objectName().toStdString());
    }
    return visited;
}

TEST(DialogTabOrder, RunsFromTopToBottomThenOkAndCancel) {
    struct Row {
        const char* dialog;
        std::function<std::unique_ptr<ParameterDialogFrame>(dialog_test::Bench&)> make;
        Names round;  // from Abbrechen, back to it
    };
    const Row rows[] = {
        {"start mode",
         Make<TFormStartModus>,
         {"ComboBox_StartModus", "BitBtn_OK", "BitBtn_Cancel"}},
        {"start generator",
         Make<TFormStartGenerator>,
         {"Edit_StartGeneratorOn", "Edit_StartGeneratorOff", "BitBtn_OK", "BitBtn_Cancel"}},
        {"start delay", Make<TFormStartDelay>, {"Edit_StartDelay", "BitBtn_OK", "BitBtn_Cancel"}},
        {"start shift",
         Make<TFormStartDelayMM>,
         {"Edit_StartDelayMM", "BitBtn_OK", "BitBtn_Cancel"}},
        {"speed mode",
         Make<TFormSpeedModus>,
         {"ComboBox_SpeedModus", "BitBtn_OK", "BitBtn_Cancel"}},
        {"speed generator",
         Make<TFormSpeedGenerator>,
         {"Edit_SpeedGenerator", "BitBtn_OK", "BitBtn_Cancel"}},
        // The unchecked mode's radio button is no Tab stop (arrow keys reach it).
        {"speed factor, factor mode",
         Make<TFormSpeedFaktor>,
         {"RadioButton_SpeedFaktorFaktor", "Edit_SpeedFaktor", "Edit_SpeedSoll", "BitBtn_OK",
          "BitBtn_Cancel"}},
        {"speed factor, output mode",
         FactorDialogInOutputMode,
         {"RadioButton_SpeedFaktorSoll", "Edit_SpeedFaktor", "Edit_SpeedSoll", "BitBtn_OK",
          "BitBtn_Cancel"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.dialog);
        dialog_test::Bench bench;
        std::unique_ptr<ParameterDialogFrame> dialog = row.make(bench);
        dialog_test::Show(*dialog);
        ASSERT_EQ(dialog->focusWidget(), dialog->BitBtn_Cancel);
        EXPECT_EQ(TabRound(*dialog, int(row.round.size())), row.round);
        // A second round the same: the focus never leaves the dialog.
        EXPECT_EQ(TabRound(*dialog, int(row.round.size())), row.round);
        dialog->hide();
    }
}

}  // namespace
