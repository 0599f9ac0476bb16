// A parameter dialog with one integer field: the start delay, the start shift and the
// generator speed. Showing pre-fills the field through its up-down control from the device
// state; OK places "<command> <value>" and "KONFIG.SAVE" (no "RESET": no mode changes).
#pragma once

#include <functional>

#include "IntegerFieldRow.h"
#include "ParameterDialogFrame.h"

class IntegerValueDialog : public ParameterDialogFrame {
    Q_OBJECT
  public:
    struct Setting {
        QString objectName;  // "FormStartDelay"
        QString caption;     // "Signallaufzeit einstellen"
        QString name;        // "StartDelay": names the group box and the field's controls
        int minimum;
        int maximum;
        int initial;
        IntegerFieldRow::Texts texts;
        std::string command;  // "START.DELAY"
    };

    IntegerValueDialog(const Setting& setting, std::function<int()> deviceValue,
                       QWidget* mainWindow, DeviceStateRecord& deviceState, Thread_Write* writer);

    // The accepted value: the up-down control's position.
    int Value() const { return row_.UpDown->Position(); }
    // The command that OK places into slot 1.
    std::string SettingCommand() const;

  protected:
    void FormShow() override;
    void PlaceCommands() override;
    IntegerFieldRow& Row() { return row_; }

  private:
    IntegerFieldRow row_;
    std::function<int()> deviceValue_;
    std::string command_;
};
