#include "TFormStartModus.h"

#include "DeviceStateRecord.h"
#include "UnitSettingTable.h"

TFormStartModus* FormStartModus = nullptr;

QStringList TFormStartModus::BuiltInModes() {
    return {QStringLiteral("Aus"), QStringLiteral("Generator"), QString::fromUtf8("Verzögerung"),
            QStringLiteral("Verschieben")};
}

TFormStartModus::TFormStartModus(QWidget* mainWindow, DeviceStateRecord& deviceState,
                                 Thread_Write* writer)
    : ModeListDialog(
          {QStringLiteral("FormStartModus"), QStringLiteral("Modus einstellen"),
           QStringLiteral("StartModus"), QStringLiteral("Modus:"), BuiltInModes(),
           unit_settings::StartMode.command},
          [&deviceState] { return deviceState.StartModus.load(); }, mainWindow, deviceState,
          writer),
      Label_StartModus(ModeLabel()),
      ComboBox_StartModus(ModeList()) {}
