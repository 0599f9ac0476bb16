// The rotary switch under a page's box: the switch itself, its label and the four code lines
// (weights 8, 4, 2, 1) that carry its position up to the box.
#pragma once

#include <QLabel>
#include <QString>

#include "ShapeWidget.h"

class RotarySwitch {
  public:
    // Names its parts <prefix>Drehschalter, <prefix>DrehInput8er and so on.
    RotarySwitch(QWidget* diagram, const QString& prefix);

    void SetVisible(bool visible);
    void Fill(const QColor& colour);
    // Mode 0 hides the switch; in other modes only a unit with a switch shows it. A unit
    // without one keeps the switch as the mode 0 layout of every page change left it: hidden.
    void ApplyLayout(int mode, bool unitHasSwitch);
    // The switch takes the colour of the box it serves; the code lines show its position,
    // carried in bits 23 (weight 1) to 26 (weight 8) of the first "IO" word.
    void ShowInUse(const QColor& boxColour, uint32_t word1);

    ShapeWidget* Shape_Drehschalter;
    QLabel* Label_Drehschalter;
    ShapeWidget* Shape_DrehInput8er;
    ShapeWidget* Shape_DrehInput4er;
    ShapeWidget* Shape_DrehInput2er;
    ShapeWidget* Shape_DrehInput1er;
};
