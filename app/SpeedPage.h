// The speed page: mode row, the diagram with input and output channels, the generator speed
// or the factor under the box, the measured speeds and the rotary switch.
#pragma once

#include "SignalPage.h"

class SpeedPage : public SignalPage {
  public:
    SpeedPage(QWidget* tabSheet, DeviceStateRecord& deviceState);

    void SpeedGeneratorDisplay(const QString& speed);
    void SpeedFactorDisplay(const QString& factor);
    void SpeedValuesDisplay(const QString& input, const QString& output);
    // The page's part of the input/output display for the two "IO" words.
    void ShowLines(uint32_t word1, uint32_t word2);

    QLineEdit* const Edit_SpeedModus = Edit_Modus;
    QToolButton* const SpeedButton_SpeedModus = SpeedButton_Modus;
    QLabel* const Label_SpeedModus = Label_Modus;
    ShapeWidget* const Shape_SpeedUebersicht = Shape_Uebersicht;
    QLabel* const Image_SpeedUebersicht = Image_Uebersicht;
    QLabel* Label_SpeedInputTitel;
    ShapeWidget* Shape_SpeedInput1A;
    ShapeWidget* Shape_SpeedInput1B;
    ShapeWidget* Shape_SpeedInput24V;
    ShapeWidget* Shape_SpeedInput2A;
    ShapeWidget* Shape_SpeedInput2B;
    QLabel* Label_SpeedInput;
    QLabel* Label_SpeedOutputTitel;
    ShapeWidget* Shape_SpeedOutput1A;
    ShapeWidget* Shape_SpeedOutput1B;
    ShapeWidget* Shape_SpeedOutput2A;
    ShapeWidget* Shape_SpeedOutput2B;
    QLabel* Label_SpeedOutput;
    QLabel* Label_SpeedGenerator;
    QLineEdit* Edit_SpeedGenerator;
    QToolButton* SpeedButton_SpeedGenerator;
    QLabel* Label_SpeedFaktor;
    QLineEdit* Edit_SpeedFaktor;
    QToolButton* SpeedButton_SpeedFaktor;
    ShapeWidget* const Shape_SpeedDrehschalter = rotarySwitch_->Shape_Drehschalter;
    QLabel* const Label_SpeedDrehschalter = rotarySwitch_->Label_Drehschalter;
    ShapeWidget* const Shape_SpeedDrehInput8er = rotarySwitch_->Shape_DrehInput8er;
    ShapeWidget* const Shape_SpeedDrehInput4er = rotarySwitch_->Shape_DrehInput4er;
    ShapeWidget* const Shape_SpeedDrehInput2er = rotarySwitch_->Shape_DrehInput2er;
    ShapeWidget* const Shape_SpeedDrehInput1er = rotarySwitch_->Shape_DrehInput1er;
    QToolButton* const SpeedButton_SpeedReset = SpeedButton_Reset;

  protected:
    std::vector<Shown> ShownInMode() const override;
    void PlaceForMode(int mode) override;

  private:
    void BuildLines();
    void BuildValueRows();
};
