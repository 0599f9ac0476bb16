#include "SpeedPage.h"

#include "ModePictures.h"
#include "PageWidgets.h"
#include "StateColours.h"

using namespace page_widgets;

namespace {

constexpr int Mode24V = 4;

// Channels A and B of an input pair are shown in opposite states.
void SetPair(ShapeWidget* a, ShapeWidget* b, bool aHigh) {
    SetLineState(a, aHigh);
    SetLineState(b, !aHigh);
}

}  // namespace

SpeedPage::SpeedPage(QWidget* tabSheet, DeviceStateRecord& deviceState)
    : SignalPage(tabSheet, QStringLiteral("Speed"), state_colours::SpeedBox,
                 mode_pictures::SpeedPicture, mode_pictures::SpeedModeCount,
                 deviceState.SpeedModusShown, deviceState) {
    BuildLines();
    BuildValueRows();
    // The 24 V input is one of the lines: left out of the black reset and the unknown gray, it
    // would keep a stale red or blue across a layout change or a lost link.
    TakeParts({{{Label_SpeedGenerator}, {Edit_SpeedGenerator}, SpeedButton_SpeedGenerator},
               {{Label_SpeedFaktor}, {Edit_SpeedFaktor}, SpeedButton_SpeedFaktor}},
              {Shape_SpeedInput1A, Shape_SpeedInput1B, Shape_SpeedInput24V, Shape_SpeedInput2A,
               Shape_SpeedInput2B, Shape_SpeedOutput1A, Shape_SpeedOutput1B, Shape_SpeedOutput2A,
               Shape_SpeedOutput2B},
              {}, {Label_SpeedInput, Label_SpeedOutput});
}

void SpeedPage::BuildLines() {
    auto bar = [this](const char* name, int left, int top) {
        return new ShapeWidget(diagram_, name, {left, top, 150, 3},
                               ShapeWidget::Border::SameAsFill);
    };
    Label_SpeedInputTitel =
        Label(diagram_, "Label_SpeedInputTitel", {20, 140, 150, 13}, "Input", Qt::AlignCenter);
    Shape_SpeedInput1A = bar("Shape_SpeedInput1A", 22, 155);
    Shape_SpeedInput1B = bar("Shape_SpeedInput1B", 22, 158);
    Shape_SpeedInput24V = bar("Shape_SpeedInput24V", 22, 161);
    Shape_SpeedInput2A = bar("Shape_SpeedInput2A", 22, 164);
    Shape_SpeedInput2B = bar("Shape_SpeedInput2B", 22, 167);
    Label_SpeedInput =
        Label(diagram_, "Label_SpeedInput", {22, 171, 150, 13}, "0 mm/s", Qt::AlignCenter);

    Label_SpeedOutputTitel =
        Label(diagram_, "Label_SpeedOutputTitel", {471, 140, 150, 13}, "Output", Qt::AlignCenter);
    Shape_SpeedOutput1A = bar("Shape_SpeedOutput1A", 471, 155);
    Shape_SpeedOutput1B = bar("Shape_SpeedOutput1B", 471, 158);
    Shape_SpeedOutput2A = bar("Shape_SpeedOutput2A", 471, 164);
    Shape_SpeedOutput2B = bar("Shape_SpeedOutput2B", 471, 167);
    Label_SpeedOutput =
        Label(diagram_, "Label_SpeedOutput", {471, 171, 150, 13}, "0 mm/s", Qt::AlignCenter);
}

void SpeedPage::BuildValueRows() {
    std::tie(Label_SpeedGenerator, Edit_SpeedGenerator, SpeedButton_SpeedGenerator) =
        CentredValueRow("SpeedGenerator", "Geschwindigkeit:", 370);
    std::tie(Label_SpeedFaktor, Edit_SpeedFaktor, SpeedButton_SpeedFaktor) =
        CentredValueRow("SpeedFaktor", "Faktor:", 370);
}

// The rotary switch follows the unit type as well; RotarySwitch::ApplyLayout decides it.
std::vector<SignalPage::Shown> SpeedPage::ShownInMode() const {
    // clang-format off
    //                                                      0 off 1 gen 2 CPL 3 TTL 4 24V
    return {
        {{Label_SpeedInputTitel, Label_SpeedInput},            {o,    o,    X,    X,    X}},
        {{Shape_SpeedInput1A},                                 {o,    o,    X,    X,    o}},
        {{Shape_SpeedInput1B},                                 {o,    o,    X,    o,    o}},
        {{Shape_SpeedInput2A},                                 {o,    o,    X,    o,    o}},
        {{Shape_SpeedInput2B},                                 {o,    o,    X,    X,    o}},
        {{Shape_SpeedInput24V},                                {o,    o,    o,    o,    X}},
        {{Label_SpeedGenerator, Edit_SpeedGenerator, SpeedButton_SpeedGenerator},
                                                               {o,    X,    o,    o,    o}},
        {{Label_SpeedFaktor, Edit_SpeedFaktor, SpeedButton_SpeedFaktor},
                                                               {o,    o,    X,    X,    X}},
        {{Label_SpeedOutputTitel, Label_SpeedOutput},          {o,    X,    X,    X,    X}},
        {{Shape_SpeedOutput1A, Shape_SpeedOutput1B, Shape_SpeedOutput2A, Shape_SpeedOutput2B},
                                                               {X,    X,    X,    X,    X}},
    };
    // clang-format on
}

// The 24 V input has one line in the middle; its title and speed move closer to it.
void SpeedPage::PlaceForMode(int mode) {
    MoveTop(Label_SpeedInputTitel, mode == Mode24V ? 146 : 140);
    MoveTop(Label_SpeedInput, mode == Mode24V ? 165 : 171);
}

void SpeedPage::SpeedGeneratorDisplay(const QString& speed) {
    ShowValue(Edit_SpeedGenerator, speed, SpeedButton_SpeedGenerator);
}

void SpeedPage::SpeedFactorDisplay(const QString& factor) {
    ShowValue(Edit_SpeedFaktor, factor, SpeedButton_SpeedFaktor);
}

void SpeedPage::SpeedValuesDisplay(const QString& input, const QString& output) {
    Label_SpeedInput->setText(input == QLatin1String("?") ? QString() : input);
    Label_SpeedOutput->setText(output == QLatin1String("?") ? QString() : output);
}

void SpeedPage::ShowLines(uint32_t word1, uint32_t word2) {
    SetPair(Shape_SpeedInput1A, Shape_SpeedInput1B, (word1 & Bit(14)) != 0);
    SetPair(Shape_SpeedInput2A, Shape_SpeedInput2B, (word1 & Bit(30)) != 0);
    if (UnitIs(DeviceStateRecord::TypeOrvatronic)) {
        SetLineState(Shape_SpeedInput24V, (word1 & Bit(20)) != 0);
    } else if (UnitIs(DeviceStateRecord::TypeOrvatronic2)) {
        SetLineState(Shape_SpeedInput24V, (word2 & Bit(13)) != 0);
    }
    SetLineState(Shape_SpeedOutput1A, (word2 & Bit(22)) != 0);
    SetLineState(Shape_SpeedOutput1B, (word2 & Bit(21)) != 0);
    SetLineState(Shape_SpeedOutput2A, (word2 & Bit(20)) != 0);
    SetLineState(Shape_SpeedOutput2B, (word2 & Bit(19)) != 0);
    ShowLinesKnown();
}
