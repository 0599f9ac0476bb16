#include "RotarySwitch.h"

#include "PageWidgets.h"
#include "StateColours.h"

using namespace page_widgets;

RotarySwitch::RotarySwitch(QWidget* diagram, const QString& prefix) {
    auto codeLine = [&](const char* weight, int left) {
        return new ShapeWidget(diagram, "Shape_" + prefix + "DrehInput" + weight,
                               {left, 222, 3, 45}, ShapeWidget::Border::SameAsFill);
    };
    Shape_DrehInput8er = codeLine("8er", 315);
    Shape_DrehInput4er = codeLine("4er", 318);
    Shape_DrehInput2er = codeLine("2er", 321);
    Shape_DrehInput1er = codeLine("1er", 324);
    // Made after the code lines, so that it covers their lower ends.
    Shape_Drehschalter = new ShapeWidget(diagram, "Shape_" + prefix + "Drehschalter",
                                         {271, 252, 100, 32}, ShapeWidget::Border::Pen);
    Label_Drehschalter = Label(diagram, "Label_" + prefix + "Drehschalter", {271, 252, 100, 32},
                               "Drehknopf", Qt::AlignCenter);
}

void RotarySwitch::SetVisible(bool visible) {
    page_widgets::SetVisible({Shape_Drehschalter, Label_Drehschalter, Shape_DrehInput8er,
                              Shape_DrehInput4er, Shape_DrehInput2er, Shape_DrehInput1er},
                             visible);
}

void RotarySwitch::Fill(const QColor& colour) {
    for (ShapeWidget* part : {Shape_Drehschalter, Shape_DrehInput8er, Shape_DrehInput4er,
                              Shape_DrehInput2er, Shape_DrehInput1er}) {
        part->setBrushColor(colour);
    }
}

void RotarySwitch::ApplyLayout(int mode, bool unitHasSwitch) {
    if (mode == 0 || unitHasSwitch) {
        SetVisible(mode != 0);
        Fill(state_colours::Gray);
    }
}

void RotarySwitch::ShowInUse(const QColor& boxColour, uint32_t word1) {
    Shape_Drehschalter->setBrushColor(boxColour);
    SetLineState(Shape_DrehInput1er, (word1 & Bit(23)) != 0);
    SetLineState(Shape_DrehInput2er, (word1 & Bit(24)) != 0);
    SetLineState(Shape_DrehInput4er, (word1 & Bit(25)) != 0);
    SetLineState(Shape_DrehInput8er, (word1 & Bit(26)) != 0);
}
