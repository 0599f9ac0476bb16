#include "SpeedPage.h"

#include "ModePictures.h"
#include "PageWidgets.h"
#include "UnitColours.h"

using namespace page_widgets;
namespace colours = unit_colours;

namespace {

constexpr int LabelRowTop = 169;
constexpr int FieldRowTop = 185;
constexpr int Mode24V = 4;
// Channels A and B of an input pair are shown in opposite states.
void SetPair(ShapeWidget* a, ShapeWidget* b, bool aHigh) {
    SetLineState(a, aHigh);
    SetLineState(b, !aHigh);
}

}  // namespace

SpeedPage::SpeedPage(QWidget* tabSheet, DeviceStateRecord& deviceState)
    : deviceState_(deviceState) {
    BuildModeRow(tabSheet);
    BuildDiagram(tabSheet);
}

void SpeedPage::BuildModeRow(QWidget* tabSheet) {
    QGroupBox* box = GroupBox(tabSheet, "GroupBox_SpeedModus", {0, 0, 645, 95}, "Modus");
    Edit_SpeedModus = ReadOnlyField(box, "Edit_SpeedModus", {20, 39, 582, 21}, colours::SkyBlue);
    SpeedButton_SpeedModus = EditButton(box, "SpeedButton_SpeedModus", {603, 39});
}

void SpeedPage::BuildDiagram(QWidget* tabSheet) {
    QGroupBox* diagram =
        GroupBox(tabSheet, "GroupBox_SpeedUebersicht", {0, 101, 645, 392}, QString());
    Shape_SpeedUebersicht = new ShapeWidget(diagram, "Shape_SpeedUebersicht", {171, 101, 300, 121},
                                            ShapeWidget::Border::Pen);
    Shape_SpeedUebersicht->setBrushColor(colours::SpeedBox);
    Label_SpeedModus =
        Label(diagram, "Label_SpeedModus", {171, 86, 300, 13}, QString(), Qt::AlignCenter);
    Image_SpeedUebersicht = PictureHolder(diagram, "Image_SpeedUebersicht", {181, 111, 280, 52});
    for (int mode = 0; mode < mode_pictures::SpeedModeCount; ++mode) {
        Image_SpeedUebersichtModes[static_cast<std::size_t>(mode)] =
            HiddenPicture(diagram, QStringLiteral("Image_SpeedUebersicht%1").arg(mode),
                          mode_pictures::SpeedPicture(mode, tabSheet->devicePixelRatioF()));
    }
    BuildLines(diagram);
    BuildValueRows(diagram);
    rotarySwitch_ = std::make_unique<RotarySwitch>(diagram, "Speed");
    Shape_SpeedDrehschalter = rotarySwitch_->Shape_Drehschalter;
    Label_SpeedDrehschalter = rotarySwitch_->Label_Drehschalter;
    Shape_SpeedDrehInput8er = rotarySwitch_->Shape_DrehInput8er;
    Shape_SpeedDrehInput4er = rotarySwitch_->Shape_DrehInput4er;
    Shape_SpeedDrehInput2er = rotarySwitch_->Shape_DrehInput2er;
    Shape_SpeedDrehInput1er = rotarySwitch_->Shape_DrehInput1er;
    SpeedButton_SpeedReset =
        CaptionButton(diagram, "SpeedButton_SpeedReset", {273, 351, 96, 21}, "Reset");
}

void SpeedPage::BuildLines(QWidget* diagram) {
    auto bar = [diagram](const char* name, int left, int top) {
        return new ShapeWidget(diagram, name, {left, top, 150, 3}, ShapeWidget::Border::SameAsFill);
    };
    Label_SpeedInputTitel =
        Label(diagram, "Label_SpeedInputTitel", {20, 140, 150, 13}, "Input", Qt::AlignCenter);
    Shape_SpeedInput1A = bar("Shape_SpeedInput1A", 22, 155);
    Shape_SpeedInput1B = bar("Shape_SpeedInput1B", 22, 158);
    Shape_SpeedInput24V = bar("Shape_SpeedInput24V", 22, 161);
    Shape_SpeedInput2A = bar("Shape_SpeedInput2A", 22, 164);
    Shape_SpeedInput2B = bar("Shape_SpeedInput2B", 22, 167);
    Label_SpeedInput =
        Label(diagram, "Label_SpeedInput", {22, 171, 150, 13}, "0 mm/s", Qt::AlignCenter);

    Label_SpeedOutputTitel =
        Label(diagram, "Label_SpeedOutputTitel", {471, 140, 150, 13}, "Output", Qt::AlignCenter);
    Shape_SpeedOutput1A = bar("Shape_SpeedOutput1A", 471, 155);
    Shape_SpeedOutput1B = bar("Shape_SpeedOutput1B", 471, 158);
    Shape_SpeedOutput2A = bar("Shape_SpeedOutput2A", 471, 164);
    Shape_SpeedOutput2B = bar("Shape_SpeedOutput2B", 471, 167);
    Label_SpeedOutput =
        Label(diagram, "Label_SpeedOutput", {471, 171, 150, 13}, "0 mm/s", Qt::AlignCenter);
}

void SpeedPage::BuildValueRows(QWidget* diagram) {
    Label_SpeedGenerator = Label(diagram, "Label_SpeedGenerator", {171, LabelRowTop, 300, 13},
                                 "Geschwindigkeit:", Qt::AlignCenter);
    Edit_SpeedGenerator = ReadOnlyField(diagram, "Edit_SpeedGenerator", {273, FieldRowTop, 96, 21},
                                        colours::MoneyGreen);
    SpeedButton_SpeedGenerator =
        EditButton(diagram, "SpeedButton_SpeedGenerator", {370, FieldRowTop});
    Label_SpeedFaktor = Label(diagram, "Label_SpeedFaktor", {171, LabelRowTop, 300, 13},
                              "Faktor:", Qt::AlignCenter);
    Edit_SpeedFaktor =
        ReadOnlyField(diagram, "Edit_SpeedFaktor", {273, FieldRowTop, 96, 21}, colours::MoneyGreen);
    SpeedButton_SpeedFaktor = EditButton(diagram, "SpeedButton_SpeedFaktor", {370, FieldRowTop});
}

// The 24 V input is one of them: left out of the black reset and the unknown gray, it would
// keep a stale red or blue across a layout change or a lost link.
std::array<ShapeWidget*, 9> SpeedPage::ChannelLines() const {
    return {Shape_SpeedInput1A,  Shape_SpeedInput1B,  Shape_SpeedInput24V,
            Shape_SpeedInput2A,  Shape_SpeedInput2B,  Shape_SpeedOutput1A,
            Shape_SpeedOutput1B, Shape_SpeedOutput2A, Shape_SpeedOutput2B};
}

void SpeedPage::SpeedLayout(int mode) {
    if (mode < 0 || mode >= mode_pictures::SpeedModeCount) {
        mode = 0;
    }
    MoveTop(Label_SpeedGenerator, LabelRowTop);
    MoveTop(Label_SpeedFaktor, LabelRowTop);
    for (QWidget* field :
         std::initializer_list<QWidget*>{Edit_SpeedGenerator, SpeedButton_SpeedGenerator,
                                         Edit_SpeedFaktor, SpeedButton_SpeedFaktor}) {
        MoveTop(field, FieldRowTop);
    }
    deviceState_.SpeedModusShown = mode;

    Shape_SpeedUebersicht->setPenColor(colours::Yellow);
    for (QLabel* label : {Label_SpeedModus, Label_SpeedInput, Label_SpeedOutput}) {
        label->clear();
    }
    Edit_SpeedGenerator->clear();
    Edit_SpeedFaktor->clear();
    Label_SpeedModus->show();
    Image_SpeedUebersicht->show();
    Image_SpeedUebersicht->setPixmap(
        Image_SpeedUebersichtModes[static_cast<std::size_t>(mode)]->pixmap());
    for (ShapeWidget* line : ChannelLines()) {
        line->setBrushColor(colours::Black);
    }
    for (QToolButton* button :
         {SpeedButton_SpeedGenerator, SpeedButton_SpeedFaktor, SpeedButton_SpeedReset}) {
        button->setEnabled(false);
    }

    MoveTop(Label_SpeedInputTitel, mode == Mode24V ? 146 : 140);
    MoveTop(Label_SpeedInput, mode == Mode24V ? 165 : 171);

    const bool adaptation = mode >= 2;
    SetVisible({Label_SpeedInputTitel, Label_SpeedInput}, adaptation);
    Shape_SpeedInput1A->setVisible(mode == 2 || mode == 3);
    Shape_SpeedInput1B->setVisible(mode == 2);
    Shape_SpeedInput2A->setVisible(mode == 2);
    Shape_SpeedInput2B->setVisible(mode == 2 || mode == 3);
    Shape_SpeedInput24V->setVisible(mode == Mode24V);
    SetVisible({Label_SpeedGenerator, Edit_SpeedGenerator, SpeedButton_SpeedGenerator}, mode == 1);
    SetVisible({Label_SpeedFaktor, Edit_SpeedFaktor, SpeedButton_SpeedFaktor}, adaptation);
    SetVisible({Label_SpeedOutputTitel, Label_SpeedOutput}, mode != 0);
    SetVisible({Shape_SpeedOutput1A, Shape_SpeedOutput1B, Shape_SpeedOutput2A, Shape_SpeedOutput2B},
               true);

    rotarySwitch_->ApplyLayout(mode, deviceState_.IsDeviceType(DeviceStateRecord::TypeOrvatronic));
}

void SpeedPage::SpeedModeDisplay(int mode, const QString& text) {
    if (deviceState_.SpeedModusShown != mode) {
        SpeedLayout(mode);
    }
    SetField(Edit_SpeedModus, text, colours::SkyBlue);
    const bool known = text != QLatin1String("?");
    SpeedButton_SpeedModus->setEnabled(known);
    Label_SpeedModus->setText(known ? text : QString());
    SpeedButton_SpeedReset->setEnabled(known);
}

void SpeedPage::SpeedGeneratorDisplay(const QString& speed) {
    SetField(Edit_SpeedGenerator, speed, colours::MoneyGreen);
    SpeedButton_SpeedGenerator->setEnabled(speed != QLatin1String("?"));
}

void SpeedPage::SpeedFactorDisplay(const QString& factor) {
    SetField(Edit_SpeedFaktor, factor, colours::MoneyGreen);
    SpeedButton_SpeedFaktor->setEnabled(factor != QLatin1String("?"));
}

void SpeedPage::SpeedValuesDisplay(const QString& input, const QString& output) {
    Label_SpeedInput->setText(input == QLatin1String("?") ? QString() : input);
    Label_SpeedOutput->setText(output == QLatin1String("?") ? QString() : output);
}

void SpeedPage::Reset() {
    SetField(Edit_SpeedModus, QStringLiteral("?"), colours::Yellow);
    SpeedButton_SpeedModus->setEnabled(false);
    SpeedLayout(0);
}

void SpeedPage::ShowLinesUnknown() {
    for (ShapeWidget* line : ChannelLines()) {
        line->setBrushColor(colours::Gray);
    }
    Shape_SpeedUebersicht->setPenColor(colours::Yellow);
}

void SpeedPage::ShowLines(uint32_t word1, uint32_t word2) {
    SetPair(Shape_SpeedInput1A, Shape_SpeedInput1B, (word1 & Bit(14)) != 0);
    SetPair(Shape_SpeedInput2A, Shape_SpeedInput2B, (word1 & Bit(30)) != 0);
    if (deviceState_.IsDeviceType(DeviceStateRecord::TypeOrvatronic)) {
        SetLineState(Shape_SpeedInput24V, (word1 & Bit(20)) != 0);
    } else if (deviceState_.IsDeviceType(DeviceStateRecord::TypeOrvatronic2)) {
        SetLineState(Shape_SpeedInput24V, (word2 & Bit(13)) != 0);
    }
    SetLineState(Shape_SpeedOutput1A, (word2 & Bit(22)) != 0);
    SetLineState(Shape_SpeedOutput1B, (word2 & Bit(21)) != 0);
    SetLineState(Shape_SpeedOutput2A, (word2 & Bit(20)) != 0);
    SetLineState(Shape_SpeedOutput2B, (word2 & Bit(19)) != 0);
    Shape_SpeedUebersicht->setPenColor(colours::SkyBlue);
}

void SpeedPage::ShowSwitchInUse(uint32_t word1) {
    rotarySwitch_->ShowInUse(Shape_SpeedUebersicht->brushColor(), word1);
}

void SpeedPage::ShowSwitchUnused() {
    rotarySwitch_->Fill(colours::Gray);
}
