#include "SignalPage.h"

#include "PageWidgets.h"
#include "StateColours.h"

using namespace page_widgets;
namespace colours = state_colours;

SignalPage::SignalPage(QWidget* tabSheet, const QString& signal, const QColor& boxFill,
                       Picture picture, int modeCount, std::atomic<int32_t>& modeShown,
                       DeviceStateRecord& deviceState)
    : modeCount_(modeCount), modeShown_(modeShown), deviceState_(deviceState) {
    auto named = [&signal](const char* kind, const char* role) {
        return QStringLiteral("%1_%2%3").arg(QLatin1String(kind), signal, QLatin1String(role));
    };
    QGroupBox* modeRow = GroupBox(tabSheet, named("GroupBox", "Modus"), {0, 0, 645, 95}, "Modus");
    Edit_Modus =
        ReadOnlyField(modeRow, named("Edit", "Modus"), {20, 39, 582, 21}, colours::SkyBlue);
    SpeedButton_Modus = EditButton(modeRow, named("SpeedButton", "Modus"), {603, 39});

    diagram_ = GroupBox(tabSheet, named("GroupBox", "Uebersicht"), {0, 101, 645, 392}, QString());
    Shape_Uebersicht = new ShapeWidget(diagram_, named("Shape", "Uebersicht"), {171, 101, 300, 121},
                                       ShapeWidget::Border::Pen);
    Shape_Uebersicht->setBrushColor(boxFill);
    Label_Modus =
        Label(diagram_, named("Label", "Modus"), {171, 86, 300, 13}, QString(), Qt::AlignCenter);
    Image_Uebersicht = PictureHolder(diagram_, named("Image", "Uebersicht"), {181, 111, 280, 52});
    for (int mode = 0; mode < modeCount_; ++mode) {
        modePictures_.push_back(HiddenPicture(diagram_,
                                              named("Image", "Uebersicht") + QString::number(mode),
                                              picture(mode, tabSheet->devicePixelRatioF())));
    }
    rotarySwitch_ = std::make_unique<RotarySwitch>(diagram_, signal);
    SpeedButton_Reset =
        CaptionButton(diagram_, named("SpeedButton", "Reset"), {273, 351, 96, 21}, "Reset");
}

SignalPage::~SignalPage() = default;

void SignalPage::TakeParts(std::vector<ValueRow> rows, std::vector<ShapeWidget*> lines,
                           std::vector<QLabel*> lineLabels, std::vector<QLabel*> diagramLabels) {
    rows_ = std::move(rows);
    lines_ = std::move(lines);
    lineLabels_ = std::move(lineLabels);
    diagramLabels_ = std::move(diagramLabels);
}

std::tuple<QLabel*, QLineEdit*, QToolButton*> SignalPage::CentredValueRow(const QString& value,
                                                                          const QString& caption,
                                                                          int buttonLeft) {
    return {
        Label(diagram_, "Label_" + value, {171, LabelRowTop, 300, 13}, caption, Qt::AlignCenter),
        ReadOnlyField(diagram_, "Edit_" + value, {273, FieldRowTop, 96, 21}, colours::MoneyGreen),
        EditButton(diagram_, "SpeedButton_" + value, {buttonLeft, FieldRowTop})};
}

void SignalPage::Layout(int mode) {
    if (mode < 0 || mode >= modeCount_) {
        mode = 0;
    }
    for (const ValueRow& row : rows_) {
        for (QLabel* label : row.labels) {
            MoveTop(label, LabelRowTop);
        }
        for (QLineEdit* field : row.fields) {
            MoveTop(field, FieldRowTop);
        }
        MoveTop(row.button, FieldRowTop);
    }
    modeShown_ = mode;

    Shape_Uebersicht->setPenColor(colours::Yellow);
    ClearValues();
    Label_Modus->show();
    Image_Uebersicht->show();
    Image_Uebersicht->setPixmap(modePictures_[static_cast<std::size_t>(mode)]->pixmap());
    for (ShapeWidget* line : lines_) {
        line->setBrushColor(colours::Black);
    }
    for (const ValueRow& row : rows_) {
        row.button->setEnabled(false);
    }
    SpeedButton_Reset->setEnabled(false);

    PlaceForMode(mode);
    ApplyShown(mode);
    rotarySwitch_->ApplyLayout(mode, UnitIs(DeviceStateRecord::TypeOrvatronic));
}

void SignalPage::ClearValues() {
    Label_Modus->clear();
    for (QLabel* label : diagramLabels_) {
        label->clear();
    }
    for (const ValueRow& row : rows_) {
        for (QLineEdit* field : row.fields) {
            field->clear();
        }
    }
}

void SignalPage::ApplyShown(int mode) {
    for (const Shown& shown : ShownInMode()) {
        SetVisible(shown.elements, shown.inMode.at(static_cast<std::size_t>(mode)));
    }
}

void SignalPage::PlaceForMode(int /*mode*/) {}

void SignalPage::ModeDisplay(int mode, const QString& text) {
    if (modeShown_ != mode) {
        Layout(mode);
    }
    SetField(Edit_Modus, text, colours::SkyBlue);
    const bool known = text != QLatin1String("?");
    SpeedButton_Modus->setEnabled(known);
    Label_Modus->setText(known ? text : QString());
    SpeedButton_Reset->setEnabled(known);
}

void SignalPage::ShowValue(QLineEdit* field, const QString& text, QToolButton* button) {
    SetField(field, text, colours::MoneyGreen);
    if (button != nullptr) {
        button->setEnabled(text != QLatin1String("?"));
    }
}

void SignalPage::Reset() {
    SetField(Edit_Modus, QStringLiteral("?"), colours::Yellow);
    SpeedButton_Modus->setEnabled(false);
    Layout(0);
}

void SignalPage::ShowLinesUnknown() {
    for (QLabel* label : lineLabels_) {
        label->clear();
    }
    for (ShapeWidget* line : lines_) {
        line->setBrushColor(colours::Gray);
    }
    Shape_Uebersicht->setPenColor(colours::Yellow);
}

void SignalPage::ShowLinesKnown() {
    Shape_Uebersicht->setPenColor(colours::SkyBlue);
}

bool SignalPage::UnitIs(const char* type) const {
    return deviceState_.IsDeviceType(type);
}

void SignalPage::ShowSwitchInUse(uint32_t word1) {
    rotarySwitch_->ShowInUse(Shape_Uebersicht->brushColor(), word1);
}

void SignalPage::ShowSwitchUnused() {
    rotarySwitch_->Fill(colours::Gray);
}
