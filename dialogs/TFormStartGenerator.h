// The start generator dialog: the high and the low time of the unit's own start signal
// generator, 1 to 30000 ms each, side by side. OK is enabled only while both fields are valid;
// it places "START.GENERATOR <high> <low>" and "KONFIG.SAVE".
#pragma once

#include "IntegerFieldRow.h"
#include "ParameterDialogFrame.h"

class TFormStartGenerator : public ParameterDialogFrame {
    Q_OBJECT
  public:
    TFormStartGenerator(QWidget* mainWindow, DeviceStateRecord& deviceState, Thread_Write* writer);

    void Edit_StartGeneratorOnChange();
    void Edit_StartGeneratorOffChange();
    // The command that OK places into slot 1.
    std::string SettingCommand() const;

    QLabel* Label_StartGeneratorOn;
    QLineEdit* Edit_StartGeneratorOn;
    UpDownControl* UpDown_StartGeneratorOn;
    QLabel* Label_StartGeneratorOnEinheit;
    QLabel* Label_StartGeneratorOnWertebereich;
    QLabel* Label_StartGeneratorOff;
    QLineEdit* Edit_StartGeneratorOff;
    UpDownControl* UpDown_StartGeneratorOff;
    QLabel* Label_StartGeneratorOffEinheit;
    QLabel* Label_StartGeneratorOffWertebereich;

  protected:
    void FormShow() override;
    void PlaceCommands() override;

  private:
    IntegerFieldRow high_;
    IntegerFieldRow low_;
};

// The program's one TFormStartGenerator; null until the entry point has made it.
extern TFormStartGenerator* FormStartGenerator;
