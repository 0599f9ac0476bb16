// The start delay dialog: the delay of the start signal, 0 to 16000 ms ("START.DELAY").
#pragma once

#include "IntegerValueDialog.h"

class TFormStartDelay : public IntegerValueDialog {
    Q_OBJECT
  public:
    TFormStartDelay(QWidget* mainWindow, DeviceStateRecord& deviceState, Thread_Write* writer);

    void Edit_StartDelayChange();

    QLabel* Label_StartDelay;
    QLineEdit* Edit_StartDelay;
    UpDownControl* UpDown_StartDelay;
    QLabel* Label_StartDelayEinheit;
    QLabel* Label_StartDelayWertebereich;
};

// The program's one TFormStartDelay; null until the entry point has made it.
extern TFormStartDelay* FormStartDelay;
