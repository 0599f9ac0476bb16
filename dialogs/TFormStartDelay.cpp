#include "TFormStartDelay.h"

#include "DeviceStateRecord.h"
#include "SettingRanges.h"

TFormStartDelay* FormStartDelay = nullptr;

namespace {

IntegerValueDialog::Setting StartDelaySetting() {
    return {
        QStringLiteral("FormStartDelay"),
        QString::fromUtf8("Signallaufzeit einstellen"),
        QStringLiteral("StartDelay"),
        setting_ranges::StartDelayMs.min,
        setting_ranges::StartDelayMs.max,
        0,
        {QString::fromUtf8("Signallaufzeit:"), QStringLiteral("ms"), QStringLiteral("[0..16000]")},
        "START.DELAY"};
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
