#include "TFormSpeedFaktor.h"

#include <QKeyEvent>

#include "DecimalSeparator.h"
#include "DeviceStateRecord.h"
#include "FactorArithmetic.h"
#include "StateColours.h"
#include "UnitCommands.h"
#include "UnitSettingTable.h"

TFormSpeedFaktor* FormSpeedFaktor = nullptr;

namespace fa = factor_arithmetic;

namespace {

// Three columns, input x factor = output, each a label row (with the mode's radio button
// before the label), the field row and the range row below.
constexpr int LabelTop = 28;
constexpr int FieldTop = LabelTop + 16;
constexpr int RangeTop = LabelTop + 41;
constexpr int InputLeft = 12;
constexpr int FactorLeft = 176;
constexpr int OutputLeft = 336;
constexpr int SignLeft = 155;  // the "x" between the input and the factor column
constexpr int FieldWidth = IntegerFieldRow::FieldWidth;
constexpr int FieldHeight = IntegerFieldRow::FieldHeight;
constexpr int LabelHeight = 13;
constexpr int RadioWidth = 16;
constexpr int CaptionIndent = RadioWidth + 4;

QLabel* MakeLabel(QWidget* parent, const char* name, const QRect& geometry, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    return label;
}

QRadioButton* MakeRadio(QWidget* parent, const char* name, int left) {
    auto* radio = new QRadioButton(parent);
    radio->setObjectName(QLatin1String(name));
    radio->setGeometry(left, LabelTop - 2, RadioWidth, LabelHeight + 4);
    return radio;
}

void MakeGrey(QLabel* label) {
    QPalette grey = label->palette();
    grey.setColor(QPalette::WindowText, state_colours::RangeGrey);
    label->setPalette(grey);
}

// An entered field is money green and editable with its up-down control; a computed one is
// silver and read-only.
void SetEntered(QLineEdit* field, UpDownControl* upDown, bool entered) {
    state_colours::SetFieldColour(field, state_colours::Field::Input,
                                  entered ? state_colours::MoneyGreen : state_colours::Silver);
    field->setReadOnly(!entered);
    upDown->setEnabled(entered);
}

// What a field shows in place of a value beyond its range.
QString LimitText(fa::Limit limit) {
    return limit == fa::Limit::Max ? QStringLiteral("max") : QStringLiteral("min");
}

}  // namespace

TFormSpeedFaktor::TFormSpeedFaktor(QWidget* mainWindow, DeviceStateRecord& deviceState,
                                   Thread_Write* writer)
    : ParameterDialogFrame(QStringLiteral("FormSpeedFaktor"), QStringLiteral("Faktor einstellen"),
                           QStringLiteral("GroupBox_SpeedFaktor"), mainWindow, deviceState, writer,
                           ClientWidth),
      decimalSeparator_(RegionalDecimalSeparator()),
      outputRow_(
          GroupBox(), QStringLiteral("SpeedSoll"), {OutputLeft, LabelTop}, fa::MinOutput,
          fa::MaxOutput, 1,
          {QStringLiteral("Ausgang:"), QStringLiteral("mm/s"), QStringLiteral("[-2000..2000]")},
          BitBtn_OK, this) {
    BuildInputColumn();
    BuildFactorColumn();
    BuildOutputColumn();
    BuildCalculationSigns();
    RadioButton_SpeedFaktorFaktor->setChecked(true);  // factor mode: the output is computed
    SetEntered(Edit_SpeedSoll, UpDown_SpeedSoll, false);
    ConnectHandlers();
}

void TFormSpeedFaktor::BuildInputColumn() {
    QWidget* box = GroupBox();
    Label_SpeedIst =
        MakeLabel(box, "Label_SpeedIst", {InputLeft, LabelTop, FieldWidth, LabelHeight},
                  QStringLiteral("Eingang:"));
    Edit_SpeedIst = new QLineEdit(QStringLiteral("1"), box);
    Edit_SpeedIst->setObjectName(QStringLiteral("Edit_SpeedIst"));
    Edit_SpeedIst->setGeometry(InputLeft, FieldTop, FieldWidth, FieldHeight);
    Edit_SpeedIst->setReadOnly(true);
    Edit_SpeedIst->setFocusPolicy(Qt::ClickFocus);  // no tab stop
    state_colours::SetFieldColour(Edit_SpeedIst, state_colours::Field::Input,
                                  state_colours::Silver);
    Label1 = MakeLabel(box, "Label1", {InputLeft + FieldWidth + 4, FieldTop + 4, 34, LabelHeight},
                       QStringLiteral("mm/s"));
}

void TFormSpeedFaktor::BuildFactorColumn() {
    QWidget* box = GroupBox();
    RadioButton_SpeedFaktorFaktor = MakeRadio(box, "RadioButton_SpeedFaktorFaktor", FactorLeft);
    Label_SpeedFaktor = MakeLabel(box, "Label_SpeedFaktor",
                                  {FactorLeft + CaptionIndent, LabelTop, FieldWidth, LabelHeight},
                                  QStringLiteral("Faktor:"));
    Edit_SpeedFaktor = new QLineEdit(QStringLiteral("0"), box);
    Edit_SpeedFaktor->setObjectName(QStringLiteral("Edit_SpeedFaktor"));
    Edit_SpeedFaktor->setGeometry(FactorLeft, FieldTop, FieldWidth, FieldHeight);
    state_colours::SetFieldColour(Edit_SpeedFaktor, state_colours::Field::Input,
                                  state_colours::MoneyGreen);
    // Not joined to the field: only its clicks count, its own position means nothing.
    UpDown_SpeedFaktor = new UpDownControl(box);
    UpDown_SpeedFaktor->setObjectName(QStringLiteral("UpDown_SpeedFaktor"));
    UpDown_SpeedFaktor->setGeometry(FactorLeft + FieldWidth + 1, FieldTop, UpDownControl::Width,
                                    FieldHeight);
    Label_SpeedFaktorWertebereich = MakeLabel(box, "Label_SpeedFaktorWertebereich",
                                              {FactorLeft, RangeTop, 2 * FieldWidth, LabelHeight},
                                              QStringLiteral("[-99.999..99.999]"));
    MakeGrey(Label_SpeedFaktorWertebereich);
}

void TFormSpeedFaktor::BuildOutputColumn() {
    RadioButton_SpeedFaktorSoll = MakeRadio(GroupBox(), "RadioButton_SpeedFaktorSoll", OutputLeft);
    Label_SpeedSoll = outputRow_.Label;
    Label_SpeedSoll->move(OutputLeft + CaptionIndent, LabelTop);
    Edit_SpeedSoll = outputRow_.Edit;
    UpDown_SpeedSoll = outputRow_.UpDown;
    Label_SpeedSollEinheit = outputRow_.Einheit;
    Label_SpeedSollWertebereich = outputRow_.Wertebereich;
}

// One label carries both signs, the blanks between them spanning the factor column.
void TFormSpeedFaktor::BuildCalculationSigns() {
    Label_SpeedFaktorRechnung =
        MakeLabel(GroupBox(), "Label_SpeedFaktorRechnung",
                  {SignLeft, FieldTop - 1, OutputLeft - SignLeft, FieldHeight},
                  QStringLiteral("x") + QString(26, QLatin1Char(' ')) + QStringLiteral("="));
    QFont font = Label_SpeedFaktorRechnung->font();
    font.setPixelSize(16);  // 12 pt on a 96 dpi screen
    font.setBold(true);
    Label_SpeedFaktorRechnung->setFont(font);
    Label_SpeedFaktorRechnung->setAttribute(Qt::WA_TransparentForMouseEvents);
    Label_SpeedFaktorRechnung->lower();
}

void TFormSpeedFaktor::ConnectHandlers() {
    // A mode is chosen when its button becomes checked, by click or by the arrow keys.
    connect(RadioButton_SpeedFaktorFaktor, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) {
            RadioButton_SpeedFaktorFaktorClick();
        }
    });
    connect(RadioButton_SpeedFaktorSoll, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) {
            RadioButton_SpeedFaktorSollClick();
        }
    });
    connect(UpDown_SpeedFaktor, &UpDownControl::Clicked, this,
            &TFormSpeedFaktor::UpDown_SpeedFaktorClick);
    connect(Edit_SpeedFaktor, &QLineEdit::textChanged, this,
            &TFormSpeedFaktor::Edit_SpeedFaktorChange);
    connect(Edit_SpeedSoll, &QLineEdit::textChanged, this, &TFormSpeedFaktor::Edit_SpeedSollChange);
    connect(Edit_SpeedIst, &QLineEdit::textChanged, this, &TFormSpeedFaktor::Edit_SpeedIstChange);
    outputRow_.Check->SetAcceptedColour(state_colours::Silver);
    outputRow_.Check->SetAfterAccept([this] { Edit_SpeedIstChange(); });
    Edit_SpeedFaktor->installEventFilter(this);
}

void TFormSpeedFaktor::ShowInputSpeed(const QString& text) {
    if (Edit_SpeedIst->text() != text) {
        Edit_SpeedIst->setText(text);
    }
}

std::string TFormSpeedFaktor::SettingCommand() const {
    return std::string(unit_settings::SpeedFactor.command) + " " + std::to_string(FaktorValue);
}

void TFormSpeedFaktor::FormShow() {
    // A factor beyond the range can only come from a faulty reply; it is never sent back.
    FaktorValue = fa::ClampFactor(DeviceState().SpeedFaktor.load()).value;
    WriteUnchecked(Edit_SpeedFaktor, FactorText(FaktorValue));
    if (InFactorMode()) {
        RadioButton_SpeedFaktorFaktorClick();
    } else {
        RadioButton_SpeedFaktorSollClick();
    }
}

void TFormSpeedFaktor::PlaceCommands() {
    PlaceIntoSlots(SettingCommand(), unit_commands::SaveConfiguration);
}

void TFormSpeedFaktor::RadioButton_SpeedFaktorFaktorClick() {
    SetEntered(Edit_SpeedFaktor, UpDown_SpeedFaktor, true);
    WriteUnchecked(Edit_SpeedFaktor, FactorText(FaktorValue));
    SetEntered(Edit_SpeedSoll, UpDown_SpeedSoll, false);
    outputRow_.Check->SetAcceptedColour(state_colours::Silver);
    Edit_SpeedIstChange();
}

void TFormSpeedFaktor::RadioButton_SpeedFaktorSollClick() {
    SetEntered(Edit_SpeedFaktor, UpDown_SpeedFaktor, false);
    SetEntered(Edit_SpeedSoll, UpDown_SpeedSoll, true);
    outputRow_.Check->SetAcceptedColour(state_colours::MoneyGreen);
    WriteUnchecked(Edit_SpeedSoll, QString::number(UpDown_SpeedSoll->Position()));
    Edit_SpeedIstChange();
}

void TFormSpeedFaktor::UpDown_SpeedFaktorClick(bool up) {
    StepFactor(up ? fa::ClickStep : -fa::ClickStep);
}

bool TFormSpeedFaktor::Edit_SpeedFaktorKeyDown(const QKeyEvent* event) {
    const int key = event->key();
    if ((key != Qt::Key_Up && key != Qt::Key_Down) || !InFactorMode()) {
        return false;
    }
    const bool modifierHeld =
        (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) != 0;
    StepFactor(fa::ArrowKeyStep(key == Qt::Key_Up, modifierHeld));
    return true;
}

void TFormSpeedFaktor::Edit_SpeedFaktorChange() {
    if (!ChecksOn) {
        state_colours::SetFieldColour(
            Edit_SpeedFaktor, state_colours::Field::Input,
            InFactorMode() ? state_colours::MoneyGreen : state_colours::Silver);
        BitBtn_OK->setEnabled(true);
        return;
    }
    const std::string text = fa::Trimmed(Edit_SpeedFaktor->text().toStdString());
    if (text.empty() || text == "-") {
        state_colours::SetFieldColour(Edit_SpeedFaktor, state_colours::Field::Input,
                                      state_colours::Red);
        BitBtn_OK->setEnabled(false);
        return;
    }
    state_colours::SetFieldColour(Edit_SpeedFaktor, state_colours::Field::Input,
                                  state_colours::MoneyGreen);
    const std::optional<int64_t> typed = fa::ParseThousandths(text, decimalSeparator_);
    if (!typed) {
        FaktorValue = 0;
        WriteUnchecked(Edit_SpeedFaktor, QString());
        state_colours::SetFieldColour(Edit_SpeedFaktor, state_colours::Field::Input,
                                      state_colours::Red);
        BitBtn_OK->setEnabled(false);
        return;
    }
    const fa::ClampedFactor factor = fa::ClampFactor(*typed);
    if (factor.clamped) {
        WriteUnchecked(Edit_SpeedFaktor, FactorText(factor.value));
    }
    FaktorValue = factor.value;
    Edit_SpeedIstChange();
}

void TFormSpeedFaktor::Edit_SpeedSollChange() {
    outputRow_.Check->Run();
}

void TFormSpeedFaktor::Edit_SpeedIstChange() {
    if (InFactorMode()) {
        RecomputeOutput();
    } else {
        RecomputeFactor();
    }
    UpdateOk();
}

bool TFormSpeedFaktor::eventFilter(QObject* watched, QEvent* event) {
    if (ParameterDialogFrame::eventFilter(watched, event)) {
        return true;
    }
    if (watched == Edit_SpeedFaktor && event->type() == QEvent::KeyPress) {
        return Edit_SpeedFaktorKeyDown(static_cast<QKeyEvent*>(event));
    }
    return false;
}

void TFormSpeedFaktor::SetChecksOn(bool on) {
    ChecksOn = on;
    outputRow_.Check->SetChecksOn(on);
}

void TFormSpeedFaktor::WriteUnchecked(QLineEdit* field, const QString& text) {
    SetChecksOn(false);
    field->setText(text);
    SetChecksOn(true);
}

QString TFormSpeedFaktor::FactorText(int32_t thousandths) const {
    return QString::fromStdString(fa::FactorText(thousandths, decimalSeparator_));
}

void TFormSpeedFaktor::StepFactor(int32_t delta) {
    FaktorValue = fa::SteppedFactor(FaktorValue, delta);
    WriteUnchecked(Edit_SpeedFaktor, FactorText(FaktorValue));
    Edit_SpeedIstChange();
}

void TFormSpeedFaktor::RecomputeOutput() {
    const fa::ComputedOutput computed = fa::OutputFor(DeviceState().SpeedInput, FaktorValue);
    UpDown_SpeedSoll->StorePosition(computed.output);
    WriteUnchecked(Edit_SpeedSoll, computed.limit == fa::Limit::None
                                       ? QString::number(computed.output)
                                       : LimitText(computed.limit));
    state_colours::SetFieldColour(
        Edit_SpeedSoll, state_colours::Field::Input,
        computed.limit == fa::Limit::None ? state_colours::Silver : state_colours::Red);
}

void TFormSpeedFaktor::RecomputeFactor() {
    const fa::ComputedFactor computed =
        fa::FactorFor(UpDown_SpeedSoll->Position(), DeviceState().SpeedInput);
    FaktorValue = computed.value;
    WriteUnchecked(Edit_SpeedFaktor, computed.limit == fa::Limit::None ? FactorText(computed.shown)
                                                                       : LimitText(computed.limit));
    state_colours::SetFieldColour(
        Edit_SpeedFaktor, state_colours::Field::Input,
        computed.limit == fa::Limit::None ? state_colours::Silver : state_colours::Red);
}

void TFormSpeedFaktor::UpdateOk() {
    BitBtn_OK->setEnabled(!IsRed(Edit_SpeedFaktor) && !IsRed(Edit_SpeedSoll));
}

bool TFormSpeedFaktor::IsRed(const QLineEdit* field) const {
    return state_colours::FieldColour(field) == state_colours::Red;
}
