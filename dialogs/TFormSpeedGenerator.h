// The speed generator dialog: the speed of the unit's own generator, -2000 to 2000 mm/s
// ("SPEED.GENERATOR"); a negative speed is a valid setting.
#pragma once

#include "IntegerValueDialog.h"

class TFormSpeedGenerator : public IntegerValueDialog {
    Q_OBJECT
  public:
    TFormSpeedGenerator(QWidget* mainWindow, DeviceStateRecord& deviceState, Thread_Write* writer);

    void Edit_SpeedGeneratorChange();

    QLabel* Label_SpeedGenerator;
    QLineEdit* Edit_SpeedGenerator;
    UpDownControl* UpDown_SpeedGenerator;
    QLabel* Label_SpeedGeneratorEinheit;
    QLabel* Label_SpeedGeneratorWertebereich;
};

// The program's one TFormSpeedGenerator; null until the entry point has made it.
extern TFormSpeedGenerator* FormSpeedGenerator;
