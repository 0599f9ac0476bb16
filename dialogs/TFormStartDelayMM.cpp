#include "TFormStartDelayMM.h"

#include "DeviceStateRecord.h"
#include "UnitSettingTable.h"

TFormStartDelayMM* FormStartDelayMM = nullptr;

namespace {

IntegerValueDialog::Setting StartDelayMMSetting() {
    return {QStringLiteral("FormStartDelayMM"),
            QString::fromUtf8("Signalverschiebung einstellen"),
            QStringLiteral("StartDelayMM"),
            unit_settings::StartShift.range.min,
            unit_settings::StartShift.range.max,
            0,
            {QString::fromUtf8("Signalverschiebung:"), QStringLiteral("mm"),
             QStringLiteral("[0..1333]")},
            unit_settings::StartShift.command};
}

}  // namespace

TFormStartDelayMM::TFormStartDelayMM(QWidget* mainWindow, DeviceStateRecord& deviceState,
                                     Thread_Write* writer)
    : IntegerValueDialog(
          StartDelayMMSetting(), [&deviceState] { return deviceState.StartDelayMM.load(); },
          mainWindow, deviceState, writer),
      Label_StartDelayMM(Row().Label),
      Edit_StartDelayMM(Row().Edit),
      UpDown_StartDelayMM(Row().UpDown),
      Label_StartDelayMMEinheit(Row().Einheit),
      Label_StartDelayMMWertebereich(Row().Wertebereich) {
    connect(Edit_StartDelayMM, &QLineEdit::textChanged, this,
            &TFormStartDelayMM::Edit_StartDelayMMChange);
}

void TFormStartDelayMM::Edit_StartDelayMMChange() {
    Row().Check->Run();
}
