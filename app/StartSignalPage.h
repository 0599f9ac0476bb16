// The start signal page: mode row, the diagram with input and output lines, the mode's values
// under the box, and the rotary switch. Its routines run on the GUI thread.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <memory>

#include "DeviceStateRecord.h"
#include "RotarySwitch.h"
#include "ShapeWidget.h"

class StartSignalPage {
  public:
    StartSignalPage(QWidget* tabSheet, DeviceStateRecord& deviceState);

    // Arranges the page for start mode m (anything but 1 to 3 counts as 0).
    void StartLayout(int mode);
    void StartModeDisplay(int mode, const QString& text);
    void StartGeneratorDisplay(const QString& high, const QString& low);
    void StartDelayDisplay(const QString& delay);
    void StartShiftDisplay(const QString& shift);
    // The page's part of the page reset: "?" in the mode field, layout of mode 0.
    void Reset();

    // The page's part of the input/output display.
    void ShowLinesUnknown();
    void ShowLines(uint32_t word1, uint32_t word2);
    void ShowSwitchInUse(uint32_t word1);
    void ShowSwitchUnused();

    QLineEdit* Edit_StartModus;
    QToolButton* SpeedButton_StartModus;
    QLabel* Label_StartModus;
    ShapeWidget* Shape_StartUebersicht;
    QLabel* Image_StartUebersicht;
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
    ShapeWidget* Shape_StartDrehschalter;
    QLabel* Label_StartDrehschalter;
    // Weights 8, 4, 2, 1 from left to right.
    ShapeWidget* Shape_StartDrehInput8er;
    ShapeWidget* Shape_StartDrehInput4er;
    ShapeWidget* Shape_StartDrehInput2er;
    ShapeWidget* Shape_StartDrehInput1er;
    QToolButton* SpeedButton_StartReset;
    std::array<QLabel*, 4> Image_StartUebersichtModes;

  private:
    void BuildModeRow(QWidget* tabSheet);
    void BuildDiagram(QWidget* tabSheet);
    void BuildValueRows(QWidget* diagram);

    DeviceStateRecord& deviceState_;
    std::unique_ptr<RotarySwitch> rotarySwitch_;
};
