// The speed page: mode row, the diagram with input and output channels, the generator speed
// or the factor under the box, the measured speeds and the rotary switch.
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

class SpeedPage {
  public:
    SpeedPage(QWidget* tabSheet, DeviceStateRecord& deviceState);

    // Arranges the page for speed mode m (anything but 1 to 4 counts as 0).
    void SpeedLayout(int mode);
    void SpeedModeDisplay(int mode, const QString& text);
    void SpeedGeneratorDisplay(const QString& speed);
    void SpeedFactorDisplay(const QString& factor);
    void SpeedValuesDisplay(const QString& input, const QString& output);
    void Reset();

    void ShowLinesUnknown();
    void ShowLines(uint32_t word1, uint32_t word2);
    void ShowSwitchInUse(uint32_t word1);
    void ShowSwitchUnused();

    QLineEdit* Edit_SpeedModus;
    QToolButton* SpeedButton_SpeedModus;
    QLabel* Label_SpeedModus;
    ShapeWidget* Shape_SpeedUebersicht;
    QLabel* Image_SpeedUebersicht;
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
    ShapeWidget* Shape_SpeedDrehschalter;
    QLabel* Label_SpeedDrehschalter;
    ShapeWidget* Shape_SpeedDrehInput8er;
    ShapeWidget* Shape_SpeedDrehInput4er;
    ShapeWidget* Shape_SpeedDrehInput2er;
    ShapeWidget* Shape_SpeedDrehInput1er;
    QToolButton* SpeedButton_SpeedReset;
    std::array<QLabel*, 5> Image_SpeedUebersichtModes;

  private:
    void BuildModeRow(QWidget* tabSheet);
    void BuildDiagram(QWidget* tabSheet);
    void BuildLines(QWidget* diagram);
    void BuildValueRows(QWidget* diagram);
    std::array<ShapeWidget*, 9> ChannelLines() const;

    DeviceStateRecord& deviceState_;
    std::unique_ptr<RotarySwitch> rotarySwitch_;
};
