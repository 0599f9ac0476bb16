// The speed mode dialog: off, generator, or adapting the speed measured at one of three input kinds
// ("SPEED.CMD 0" to "SPEED.CMD 4").
#pragma once

#include "ModeListDialog.h"

class TFormSpeedModus : public ModeListDialog {
    Q_OBJECT
  public:
    // The modes in list order, as built in (a language file may replace them).
    static QStringList BuiltInModes();

    TFormSpeedModus(QWidget* mainWindow, DeviceStateRecord& deviceState, Thread_Write* writer);

    QLabel* Label_SpeedModus;
    QComboBox* ComboBox_SpeedModus;
};

// The program's one TFormSpeedModus; null until the entry point has made it.
extern TFormSpeedModus* FormSpeedModus;
