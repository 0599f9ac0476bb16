// The start shift dialog: the shift of the start signal, 0 to 1333 mm ("START.SHIFT").
#pragma once

#include "IntegerValueDialog.h"

class TFormStartDelayMM : public IntegerValueDialog {
    Q_OBJECT
  public:
    TFormStartDelayMM(QWidget* mainWindow, DeviceStateRecord& deviceState, Thread_Write* writer);

    void Edit_StartDelayMMChange();

    QLabel* Label_StartDelayMM;
    QLineEdit* Edit_StartDelayMM;
    UpDownControl* UpDown_StartDelayMM;
    QLabel* Label_StartDelayMMEinheit;
    QLabel* Label_StartDelayMMWertebereich;
};

// The program's one TFormStartDelayMM; null until the entry point has made it.
extern TFormStartDelayMM* FormStartDelayMM;
