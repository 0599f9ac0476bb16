#include "StartSignalPage.h"

#include "ModePictures.h"
#include "PageWidgets.h"
#include "UnitColours.h"

using namespace page_widgets;
namespace colours = unit_colours;

namespace {

constexpr int LabelRowTop = 169;
constexpr int FieldRowTop = 185;
}  // namespace

StartSignalPage::StartSignalPage(QWidget* tabSheet, DeviceStateRecord& deviceState)
    : deviceState_(deviceState) {
    BuildModeRow(tabSheet);
    BuildDiagram(tabSheet);
}

void StartSignalPage::BuildModeRow(QWidget* tabSheet) {
    QGroupBox* box = GroupBox(tabSheet, "GroupBox_StartModus", {0, 0, 645, 95}, "Modus");
    Edit_StartModus = ReadOnlyField(box, "Edit_StartModus", {20, 39, 582, 21}, colours::SkyBlue);
    SpeedButton_StartModus = EditButton(box, "SpeedButton_StartModus", {603, 39});
}

void StartSignalPage::BuildDiagram(QWidget* tabSheet) {
    QGroupBox* diagram =
        GroupBox(tabSheet, "GroupBox_StartUebersicht", {0, 101, 645, 392}, QString());
    Shape_StartUebersicht = new ShapeWidget(diagram, "Shape_StartUebersicht", {171, 101, 300, 121},
                                            ShapeWidget::Border::Pen);
    Shape_StartUebersicht->setBrushColor(colours::Green);
    Label_StartModus =
        Label(diagram, "Label_StartModus", {171, 86, 300, 13}, QString(), Qt::AlignCenter);
    Image_StartUebersicht = PictureHolder(diagram, "Image_StartUebersicht", {181, 111, 280, 52});
    for (int mode = 0; mode < mode_pictures::StartModeCount; ++mode) {
        Image_StartUebersichtModes[static_cast<std::size_t>(mode)] =
            HiddenPicture(diagram, QStringLiteral("Image_StartUebersicht%1").arg(mode),
                          mode_pictures::StartPicture(mode, tabSheet->devicePixelRatioF()));
    }

    Label_StartInputTitel =
        Label(diagram, "Label_StartInputTitel", {20, 146, 150, 13}, "Input", Qt::AlignCenter);
    Shape_StartInput = new ShapeWidget(diagram, "Shape_StartInput", {22, 161, 150, 3},
                                       ShapeWidget::Border::SameAsFill);
    Label_StartInput =
        Label(diagram, "Label_StartInput", {22, 165, 150, 13}, QString(), Qt::AlignCenter);
    Label_StartOutputTitel =
        Label(diagram, "Label_StartOutputTitel", {471, 146, 150, 13}, "Output", Qt::AlignCenter);
    Shape_StartOutput = new ShapeWidget(diagram, "Shape_StartOutput", {471, 161, 150, 3},
                                        ShapeWidget::Border::SameAsFill);
    Label_StartOutput =
        Label(diagram, "Label_StartOutput", {471, 165, 150, 13}, QString(), Qt::AlignCenter);
    BuildValueRows(diagram);
    rotarySwitch_ = std::make_unique<RotarySwitch>(diagram, "Start");
    Shape_StartDrehschalter = rotarySwitch_->Shape_Drehschalter;
    Label_StartDrehschalter = rotarySwitch_->Label_Drehschalter;
    Shape_StartDrehInput8er = rotarySwitch_->Shape_DrehInput8er;
    Shape_StartDrehInput4er = rotarySwitch_->Shape_DrehInput4er;
    Shape_StartDrehInput2er = rotarySwitch_->Shape_DrehInput2er;
    Shape_StartDrehInput1er = rotarySwitch_->Shape_DrehInput1er;
    SpeedButton_StartReset =
        CaptionButton(diagram, "SpeedButton_StartReset", {273, 351, 96, 21}, "Reset");
}

void StartSignalPage::BuildValueRows(QWidget* diagram) {
    Label_StartGeneratorOn =
        Label(diagram, "Label_StartGeneratorOn", {222, LabelRowTop, 96, 13}, "High:");
    Edit_StartGeneratorOn = ReadOnlyField(diagram, "Edit_StartGeneratorOn",
                                          {222, FieldRowTop, 96, 21}, colours::MoneyGreen);
    Label_StartGeneratorOff =
        Label(diagram, "Label_StartGeneratorOff", {323, LabelRowTop, 96, 13}, "Low:");
    Edit_StartGeneratorOff = ReadOnlyField(diagram, "Edit_StartGeneratorOff",
                                           {323, FieldRowTop, 96, 21}, colours::MoneyGreen);
    SpeedButton_StartGenerator =
        EditButton(diagram, "SpeedButton_StartGenerator", {420, FieldRowTop});

    Label_StartDelayMS = Label(diagram, "Label_StartDelayMS", {171, LabelRowTop, 300, 13},
                               "Signallaufzeit:", Qt::AlignCenter);
    Edit_StartDelayMS = ReadOnlyField(diagram, "Edit_StartDelayMS", {273, FieldRowTop, 96, 21},
                                      colours::MoneyGreen);
    SpeedButton_StartDelayMS = EditButton(diagram, "SpeedButton_StartDelayMS", {369, FieldRowTop});

    Label_StartDelayMM = Label(diagram, "Label_StartDelayMM", {171, LabelRowTop, 300, 13},
                               "Signalverschiebung:", Qt::AlignCenter);
    Edit_StartDelayMM = ReadOnlyField(diagram, "Edit_StartDelayMM", {273, FieldRowTop, 96, 21},
                                      colours::MoneyGreen);
    SpeedButton_StartDelayMM = EditButton(diagram, "SpeedButton_StartDelayMM", {369, FieldRowTop});
}

void StartSignalPage::StartLayout(int mode) {
    if (mode < 0 || mode >= mode_pictures::StartModeCount) {
        mode = 0;
    }
    for (QWidget* label :
         std::initializer_list<QWidget*>{Label_StartGeneratorOn, Label_StartGeneratorOff,
                                         Label_StartDelayMS, Label_StartDelayMM}) {
        MoveTop(label, LabelRowTop);
    }
    for (QWidget* field : std::initializer_list<QWidget*>{
             Edit_StartGeneratorOn, Edit_StartGeneratorOff, SpeedButton_StartGenerator,
             Edit_StartDelayMS, SpeedButton_StartDelayMS, Edit_StartDelayMM,
             SpeedButton_StartDelayMM}) {
        MoveTop(field, FieldRowTop);
    }
    deviceState_.StartModusShown = mode;

    Shape_StartUebersicht->setPenColor(colours::Yellow);
    for (QLabel* label : {Label_StartModus, Label_StartInput, Label_StartOutput}) {
        label->clear();
    }
    for (QLineEdit* field :
         {Edit_StartGeneratorOn, Edit_StartGeneratorOff, Edit_StartDelayMS, Edit_StartDelayMM}) {
        field->clear();
    }
    Label_StartModus->show();
    Image_StartUebersicht->show();
    Image_StartUebersicht->setPixmap(
        Image_StartUebersichtModes[static_cast<std::size_t>(mode)]->pixmap());
    Shape_StartInput->setBrushColor(colours::Black);
    Shape_StartOutput->setBrushColor(colours::Black);
    for (QToolButton* button : {SpeedButton_StartGenerator, SpeedButton_StartDelayMS,
                                SpeedButton_StartDelayMM, SpeedButton_StartReset}) {
        button->setEnabled(false);
    }

    const bool input = mode == 2 || mode == 3;
    SetVisible({Label_StartInputTitel, Label_StartInput, Shape_StartInput}, input);
    Label_StartOutputTitel->setVisible(mode != 0);
    Label_StartOutput->setVisible(mode != 0);
    Shape_StartOutput->show();
    SetVisible({Label_StartGeneratorOn, Edit_StartGeneratorOn, Label_StartGeneratorOff,
                Edit_StartGeneratorOff, SpeedButton_StartGenerator},
               mode == 1);
    SetVisible({Label_StartDelayMS, Edit_StartDelayMS, SpeedButton_StartDelayMS}, mode == 2);
    SetVisible({Label_StartDelayMM, Edit_StartDelayMM, SpeedButton_StartDelayMM}, mode == 3);

    rotarySwitch_->ApplyLayout(mode, deviceState_.IsDeviceType(DeviceStateRecord::TypeOrvatronic));
}

void StartSignalPage::StartModeDisplay(int mode, const QString& text) {
    if (deviceState_.StartModusShown != mode) {
        StartLayout(mode);
    }
    SetField(Edit_StartModus, text, colours::SkyBlue);
    const bool known = text != QLatin1String("?");
    SpeedButton_StartModus->setEnabled(known);
    Label_StartModus->setText(known ? text : QString());
    SpeedButton_StartReset->setEnabled(known);
}

void StartSignalPage::StartGeneratorDisplay(const QString& high, const QString& low) {
    SetField(Edit_StartGeneratorOn, high, colours::MoneyGreen);
    SetField(Edit_StartGeneratorOff, low, colours::MoneyGreen);
    SpeedButton_StartGenerator->setEnabled(high != QLatin1String("?"));
}

void StartSignalPage::StartDelayDisplay(const QString& delay) {
    SetField(Edit_StartDelayMS, delay, colours::MoneyGreen);
    SpeedButton_StartDelayMS->setEnabled(delay != QLatin1String("?"));
}

void StartSignalPage::StartShiftDisplay(const QString& shift) {
    SetField(Edit_StartDelayMM, shift, colours::MoneyGreen);
    SpeedButton_StartDelayMM->setEnabled(shift != QLatin1String("?"));
}

void StartSignalPage::Reset() {
    SetField(Edit_StartModus, QStringLiteral("?"), colours::Yellow);
    SpeedButton_StartModus->setEnabled(false);
    StartLayout(0);
}

void StartSignalPage::ShowLinesUnknown() {
    Label_StartInput->clear();
    Label_StartOutput->clear();
    Shape_StartInput->setBrushColor(colours::Gray);
    Shape_StartOutput->setBrushColor(colours::Gray);
    Shape_StartUebersicht->setPenColor(colours::Yellow);
}

void StartSignalPage::ShowLines(uint32_t word1, uint32_t word2) {
    if (deviceState_.IsDeviceType(DeviceStateRecord::TypeOrvatronic)) {
        SetLineState(Shape_StartInput, (word1 & Bit(19)) != 0, Label_StartInput);
    } else if (deviceState_.IsDeviceType(DeviceStateRecord::TypeOrvatronic2)) {
        SetLineState(Shape_StartInput, (word2 & Bit(8)) != 0, Label_StartInput);
    }
    SetLineState(Shape_StartOutput, (word2 & Bit(25)) != 0, Label_StartOutput);
    Shape_StartUebersicht->setPenColor(colours::SkyBlue);
}

void StartSignalPage::ShowSwitchInUse(uint32_t word1) {
    rotarySwitch_->ShowInUse(Shape_StartUebersicht->brushColor(), word1);
}

void StartSignalPage::ShowSwitchUnused() {
    rotarySwitch_->Fill(colours::Gray);
}
