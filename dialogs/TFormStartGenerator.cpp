#include "TFormStartGenerator.h"

#include <QGroupBox>

#include "DeviceStateRecord.h"
#include "UnitCommands.h"
#include "UnitSettingTable.h"

TFormStartGenerator* FormStartGenerator = nullptr;

namespace {

constexpr int Minimum = unit_settings::StartGeneratorHigh.range.min;
constexpr int Maximum = unit_settings::StartGeneratorHigh.range.max;
constexpr int Initial = 1;
const QPoint HighPlace(16, 28);
const QPoint LowPlace(170, 28);

IntegerFieldRow::Texts Texts(const char* label) {
    return {QLatin1String(label), QStringLiteral("ms"), QStringLiteral("[1..30000]")};
}

}  // namespace

TFormStartGenerator::TFormStartGenerator(QWidget* mainWindow, DeviceStateRecord& deviceState,
                                         Thread_Write* writer)
    : ParameterDialogFrame(
          QStringLiteral("FormStartGenerator"), QStringLiteral("Generator einstellen"),
          QStringLiteral("GroupBox_StartGenerator"), mainWindow, deviceState, writer),
      high_(GroupBox(), QStringLiteral("StartGeneratorOn"), HighPlace, Minimum, Maximum, Initial,
            Texts("High:"), BitBtn_OK, this),
      low_(GroupBox(), QStringLiteral("StartGeneratorOff"), LowPlace, Minimum, Maximum, Initial,
           Texts("Low:"), BitBtn_OK, this) {
    Label_StartGeneratorOn = high_.Label;
    Edit_StartGeneratorOn = high_.Edit;
    UpDown_StartGeneratorOn = high_.UpDown;
    Label_StartGeneratorOnEinheit = high_.Einheit;
    Label_StartGeneratorOnWertebereich = high_.Wertebereich;
    Label_StartGeneratorOff = low_.Label;
    Edit_StartGeneratorOff = low_.Edit;
    UpDown_StartGeneratorOff = low_.UpDown;
    Label_StartGeneratorOffEinheit = low_.Einheit;
    Label_StartGeneratorOffWertebereich = low_.Wertebereich;

    high_.Check->SetPartner(low_.Check);
    low_.Check->SetPartner(high_.Check);
    connect(Edit_StartGeneratorOn, &QLineEdit::textChanged, this,
            &TFormStartGenerator::Edit_StartGeneratorOnChange);
    connect(Edit_StartGeneratorOff, &QLineEdit::textChanged, this,
            &TFormStartGenerator::Edit_StartGeneratorOffChange);
}

void TFormStartGenerator::Edit_StartGeneratorOnChange() {
    high_.Check->Run();
}

void TFormStartGenerator::Edit_StartGeneratorOffChange() {
    low_.Check->Run();
}

std::string TFormStartGenerator::SettingCommand() const {
    return std::string(unit_settings::StartGeneratorHigh.command) + " " +
           std::to_string(UpDown_StartGeneratorOn->Position()) + " " +
           std::to_string(UpDown_StartGeneratorOff->Position());
}

void TFormStartGenerator::FormShow() {
    high_.Check->Prefill(DeviceState().StartGeneratorOn.load());
    low_.Check->Prefill(DeviceState().StartGeneratorOff.load());
}

void TFormStartGenerator::PlaceCommands() {
    PlaceIntoSlots(SettingCommand(), unit_commands::SaveConfiguration);
}
