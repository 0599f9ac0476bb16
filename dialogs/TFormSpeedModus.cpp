#include "TFormSpeedModus.h"

#include "DeviceStateRecord.h"
#include "UnitSettingTable.h"

TFormSpeedModus* FormSpeedModus = nullptr;

QStringList TFormSpeedModus::BuiltInModes() {
    return {QStringLiteral("Aus"), QStringLiteral("Generator"),
            QStringLiteral("Geschwindigkeit anpassen (CPL)"),
            QStringLiteral("Geschwindigkeit anpassen (TTL)"),
            QStringLiteral("Geschwindigkeit anpassen (24V)")};
}

TFormSpeedModus::TFormSpeedModus(QWidget* mainWindow, DeviceStateRecord& deviceState,
                                 Thread_Write* writer)
    : ModeListDialog(
          {QStringLiteral("FormSpeedModus"), QStringLiteral("Modus einstellen"),
           QStringLiteral("SpeedModus"), QStringLiteral("Modus:"), BuiltInModes(),
           unit_settings::SpeedMode.command},
          [&deviceState] { return deviceState.SpeedModus.load(); }, mainWindow, deviceState,
          writer),
      Label_SpeedModus(ModeLabel()),
      ComboBox_SpeedModus(ModeList()) {}
