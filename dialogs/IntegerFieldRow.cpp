#include "IntegerFieldRow.h"

#include "StateColours.h"

namespace {

constexpr int LabelHeight = 13;
constexpr int FieldTop = 16;  // below the label
constexpr int RangeTop = 41;  // below the field
constexpr int UnitGap = 5;    // between the up-down control and the unit
constexpr int TextWidth = 150;

QLabel* MakeLabel(QWidget* parent, const QString& name, const QRect& geometry,
                  const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

}  // namespace

IntegerFieldRow::IntegerFieldRow(QWidget* parent, const QString& name, QPoint topLeft, int minimum,
                                 int maximum, int initial, const Texts& texts,
                                 QAbstractButton* okButton, QWidget* dialog) {
    const int x = topLeft.x();
    const int y = topLeft.y();
    Label = MakeLabel(parent, QStringLiteral("Label_") + name, {x, y, TextWidth, LabelHeight},
                      texts.label);

    Edit = new QLineEdit(parent);
    Edit->setObjectName(QStringLiteral("Edit_") + name);
    Edit->setGeometry(x, y + FieldTop, FieldWidth, FieldHeight);
    state_colours::SetFieldColour(Edit, state_colours::Field::Input, state_colours::MoneyGreen);

    UpDown = new UpDownControl(parent);
    UpDown->setObjectName(QStringLiteral("UpDown_") + name);
    UpDown->SetRange(minimum, maximum);
    UpDown->SetAssociate(Edit);
    UpDown->SetPosition(initial);

    const int unitLeft = x + FieldWidth + UpDownControl::Width + UnitGap;
    Einheit = MakeLabel(parent, QStringLiteral("Label_") + name + QStringLiteral("Einheit"),
                        {unitLeft, y + FieldTop + 4, 40, LabelHeight}, texts.unit);
    Wertebereich =
        MakeLabel(parent, QStringLiteral("Label_") + name + QStringLiteral("Wertebereich"),
                  {x, y + RangeTop, TextWidth, LabelHeight}, texts.range);
    QPalette grey = Wertebereich->palette();
    grey.setColor(QPalette::WindowText, state_colours::RangeGrey);
    Wertebereich->setPalette(grey);

    Check = new IntegerFieldCheck(Edit, UpDown, okButton, dialog);
}
