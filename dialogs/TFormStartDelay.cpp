#include "TFormStartDelay.h"

#include "DeviceStateRecord.h"
#include "UnitSettingTable.h"

TFormStartDelay* FormStartDelay = nullptr;

namespace {

IntegerValueDialog::Setting StartDelaySetting() {
    return {
        QStringLiteral("FormStartDelay"),
        QString::fromUtf8("Signallaufzeit einstellen"),
        QStringLiteral("StartDelay"),
        unit_settings::StartDelay.range.min,
        unit_settings::StartDelay.range.max,
        0,
        {QString::fromUtf8("Signallaufzeit:"), QStringLiteral("ms"), QStringLiteral("[0..16000]")},
        unit_settings::StartDelay.command};
}

}  // namespace

TFormStartDelay::TFormStartDelay(QWidget* mainWindow, DeviceStateRecord& deviceState,
                                 Thread_Write* writer)
    : IntegerValueDialog(
          StartDelaySetting(), [&deviceState] { return deviceState.StartDelayMS.load(); },
          mainWindow, deviceState, writer),
      Label_StartDelay(Row().Label),
      Edit_StartDelay(Row().Edit),
      UpDown_StartDelay(Row().UpDown),
      Label_StartDelayEinheit(Row().Einheit),
      Label_StartDelayWertebereich(Row().Wertebereich) {
    connect(Edit_StartDelay, &QLineEdit::textChanged, this,
            &TFormStartDelay::Edit_StartDelayChange);
}

void TFormStartDelay::Edit_StartDelayChange() {
    Row().Check->Run();
}
