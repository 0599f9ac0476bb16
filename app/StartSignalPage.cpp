#include "StartSignalPage.h"

#include "ModePictures.h"
#include "PageWidgets.h"
#include "StateColours.h"

using namespace page_widgets;

StartSignalPage::StartSignalPage(QWidget* tabSheet, DeviceStateRecord& deviceState)
    : SignalPage(tabSheet, QStringLiteral("Start"), state_colours::Green,
                 mode_pictures::StartPicture, mode_pictures::StartModeCount,
                 deviceState.StartModusShown, deviceState) {
    BuildLines();
    BuildValueRows();
    TakeParts({{{Label_StartGeneratorOn, Label_StartGeneratorOff},
                {Edit_StartGeneratorOn, Edit_StartGeneratorOff},
                SpeedButton_StartGenerator},
               {{Label_StartDelayMS}, {Edit_StartDelayMS}, SpeedButton_StartDelayMS},
               {{Label_StartDelayMM}, {Edit_StartDelayMM}, SpeedButton_StartDelayMM}},
              {Shape_StartInput, Shape_StartOutput}, {Label_StartInput, Label_StartOutput},
              {Label_StartInput, Label_StartOutput});
}

void StartSignalPage::BuildLines() {
    Label_StartInputTitel =
        Label(diagram_, "Label_StartInputTitel", {20, 146, 150, 13}, "Input", Qt::AlignCenter);
    Shape_StartInput = new ShapeWidget(diagram_, "Shape_StartInput", {22, 161, 150, 3},
                                       ShapeWidget::Border::SameAsFill);
    Label_StartInput =
        Label(diagram_, "Label_StartInput", {22, 165, 150, 13}, QString(), Qt::AlignCenter);
    Label_StartOutputTitel =
        Label(diagram_, "Label_StartOutputTitel", {471, 146, 150, 13}, "Output", Qt::AlignCenter);
    Shape_StartOutput = new ShapeWidget(diagram_, "Shape_StartOutput", {471, 161, 150, 3},
                                        ShapeWidget::Border::SameAsFill);
    Label_StartOutput =
        Label(diagram_, "Label_StartOutput", {471, 165, 150, 13}, QString(), Qt::AlignCenter);
}

void StartSignalPage::BuildValueRows() {
    const QColor& green = state_colours::MoneyGreen;
    Label_StartGeneratorOn =
        Label(diagram_, "Label_StartGeneratorOn", {222, LabelRowTop, 96, 13}, "High:");
    Edit_StartGeneratorOn =
        ReadOnlyField(diagram_, "Edit_StartGeneratorOn", {222, FieldRowTop, 96, 21}, green);
    Label_StartGeneratorOff =
        Label(diagram_, "Label_StartGeneratorOff", {323, LabelRowTop, 96, 13}, "Low:");
    Edit_StartGeneratorOff =
        ReadOnlyField(diagram_, "Edit_StartGeneratorOff", {323, FieldRowTop, 96, 21}, green);
    SpeedButton_StartGenerator =
        EditButton(diagram_, "SpeedButton_StartGenerator", {420, FieldRowTop});

    std::tie(Label_StartDelayMS, Edit_StartDelayMS, SpeedButton_StartDelayMS) =
        CentredValueRow("StartDelayMS", "Signallaufzeit:", 369);
    std::tie(Label_StartDelayMM, Edit_StartDelayMM, SpeedButton_StartDelayMM) =
        CentredValueRow("StartDelayMM", "Signalverschiebung:", 369);
}

// The rotary switch follows the unit type as well; RotarySwitch::ApplyLayout decides it.
std::vector<SignalPage::Shown> StartSignalPage::ShownInMode() const {
    // clang-format off
    //                                                              0 off 1 gen 2 delay 3 shift
    return {
        {{Label_StartInputTitel, Label_StartInput, Shape_StartInput},  {o,    o,    X,      X}},
        {{Label_StartOutputTitel, Label_StartOutput},                  {o,    X,    X,      X}},
        {{Shape_StartOutput},                                          {X,    X,    X,      X}},
        {{Label_StartGeneratorOn, Edit_StartGeneratorOn, Label_StartGeneratorOff,
          Edit_StartGeneratorOff, SpeedButton_StartGenerator},         {o,    X,    o,      o}},
        {{Label_StartDelayMS, Edit_StartDelayMS, SpeedButton_StartDelayMS},
                                                                       {o,    o,    X,      o}},
        {{Label_StartDelayMM, Edit_StartDelayMM, SpeedButton_StartDelayMM},
                                                                       {o,    o,    o,      X}},
    };
    // clang-format on
}

void StartSignalPage::StartGeneratorDisplay(const QString& high, const QString& low) {
    ShowValue(Edit_StartGeneratorOn, high, SpeedButton_StartGenerator);
    ShowValue(Edit_StartGeneratorOff, low);
}

void StartSignalPage::StartDelayDisplay(const QString& delay) {
    ShowValue(Edit_StartDelayMS, delay, SpeedButton_StartDelayMS);
}

void StartSignalPage::StartShiftDisplay(const QString& shift) {
    ShowValue(Edit_StartDelayMM, shift, SpeedButton_StartDelayMM);
}

void StartSignalPage::ShowLines(uint32_t word1, uint32_t word2) {
    if (UnitIs(DeviceStateRecord::TypeOrvatronic)) {
        SetLineState(Shape_StartInput, (word1 & Bit(19)) != 0, Label_StartInput);
    } else if (UnitIs(DeviceStateRecord::TypeOrvatronic2)) {
        SetLineState(Shape_StartInput, (word2 & Bit(8)) != 0, Label_StartInput);
    }
    SetLineState(Shape_StartOutput, (word2 & Bit(25)) != 0, Label_StartOutput);
    ShowLinesKnown();
}
