// The start mode dialog: off, generator, delay or shift ("START.CMD 0" to "START.CMD 3").
#pragma once

#include "ModeListDialog.h"

class TFormStartModus : public ModeListDialog {
    Q_OBJECT
  public:
    // The modes in list order, as built in (a language file may replace them).
    static QStringList BuiltInModes();

    TFormStartModus(QWidget* mainWindow, DeviceStateRecord& deviceState, Thread_Write* writer);

    QLabel* Label_StartModus;
    QComboBox* ComboBox_StartModus;
};

// The program's one TFormStartModus; null until the entry point has made it.
extern TFormStartModus* FormStartModus;
