#include "TFormSpeedGenerator.h"

#include "DeviceStateRecord.h"
#include "UnitSettingTable.h"

TFormSpeedGenerator* FormSpeedGenerator = nullptr;

namespace {

IntegerValueDialog::Setting SpeedGeneratorSetting() {
    return {QStringLiteral("FormSpeedGenerator"),
            QString::fromUtf8("Geschwindigkeit einstellen"),
            QStringLiteral("SpeedGenerator"),
            unit_settings::SpeedGenerator.range.min,
            unit_settings::SpeedGenerator.range.max,
            1,
            {QString::fromUtf8("Geschwindigkeit:"), QStringLiteral("mm/s"),
             QStringLiteral("[-2000..2000]")},
            unit_settings::SpeedGenerator.command};
}

}  // namespace

TFormSpeedGenerator::TFormSpeedGenerator(QWidget* mainWindow, DeviceStateRecord& deviceState,
                                         Thread_Write* writer)
    : IntegerValueDialog(
          SpeedGeneratorSetting(), [&deviceState] { return deviceState.SpeedGenerator.load(); },
          mainWindow, deviceState, writer),
      Label_SpeedGenerator(Row().Label),
      Edit_SpeedGenerator(Row().Edit),
      UpDown_SpeedGenerator(Row().UpDown),
      Label_SpeedGeneratorEinheit(Row().Einheit),
      Label_SpeedGeneratorWertebereich(Row().Wertebereich) {
    connect(Edit_SpeedGenerator, &QLineEdit::textChanged, this,
            &TFormSpeedGenerator::Edit_SpeedGeneratorChange);
}

void TFormSpeedGenerator::Edit_SpeedGeneratorChange() {
    Row().Check->Run();
}
