// The start signal page: mode row, the diagram with input and output lines, the mode's values
// under the box, and the rotary switch. Its routines run on the GUI thread.
#pragma once

#include "SignalPage.h"

class StartSignalPage : public SignalPage {
  public:
    StartSignalPage(QWidget* tabSheet, DeviceStateRecord& deviceState);

    void StartGeneratorDisplay(const QString& high, const QString& low);
    void StartDelayDisplay(const QString& delay);
    void StartShiftDisplay(const QString& shift);
    // The page's part of the input/output display for the two "IO" words.
    void ShowLines(uint32_t word1, uint32_t word2);

    QLineEdit* const Edit_StartModus = Edit_Modus;
    QToolButton* const SpeedButton_StartModus = SpeedButton_Modus;
    QLabel* const Label_StartModus = Label_Modus;
    ShapeWidget* const Shape_StartUebersicht = Shape_Uebersicht;
    QLabel* const Image_StartUebersicht = Image_Uebersicht;
    QLabel* Label_StartInputTitel;
    ShapeWidget* Shape_StartInput;
    QLabel* Label_StartInput;
    QLabel* Label_StartOutputTitel;
    ShapeWidget* Shape_StartOutput;
    QLabel* Label_StartOutput;
    QLabel* Label_StartGeneratorOn;
    QLineEdit* Edit_StartGeneratorOn;
    QLabel* Label_StartGeneratorOff;
    QLineEdit* Edit_StartGeneratorOff;
    QToolButton* SpeedButton_StartGenerator;
    QLabel* Label_StartDelayMS;
    QLineEdit* Edit_StartDelayMS;
    QToolButton* SpeedButton_StartDelayMS;
    QLabel* Label_StartDelayMM;
    QLineEdit* Edit_StartDelayMM;
    QToolButton* SpeedButton_StartDelayMM;
    ShapeWidget* const Shape_StartDrehschalter = rotarySwitch_->Shape_Drehschalter;
    QLabel* const Label_StartDrehschalter = rotarySwitch_->Label_Drehschalter;
    // Weights 8, 4, 2, 1 from left to right.
    ShapeWidget* const Shape_StartDrehInput8er = rotarySwitch_->Shape_DrehInput8er;
    ShapeWidget* const Shape_StartDrehInput4er = rotarySwitch_->Shape_DrehInput4er;
    ShapeWidget* const Shape_StartDrehInput2er = rotarySwitch_->Shape_DrehInput2er;
    ShapeWidget* const Shape_StartDrehInput1er = rotarySwitch_->Shape_DrehInput1er;
    QToolButton* const SpeedButton_StartReset = SpeedButton_Reset;

  protected:
    std::vector<Shown> ShownInMode() const override;

  private:
    void BuildLines();
    void BuildValueRows();
};
