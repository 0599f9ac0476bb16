// A parameter dialog that chooses a signal's mode from a drop-down list: the start mode and
// the speed mode. Showing selects the list position of the mode in the device state; OK
// places "<command> <position>" (position 0 for anything outside 1 to the last entry, or no
// selection), "KONFIG.SAVE" and "RESET", since the unit restarts into a new mode.
//
// The list also names the modes on the pages, so a language file that replaces its entries
// renames them there too.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QStringList>
#include <functional>

#include "ParameterDialogFrame.h"

class ModeListDialog : public ParameterDialogFrame {
    Q_OBJECT
  public:
    struct Setting {
        QString objectName;   // "FormStartModus"
        QString caption;      // "Modus einstellen"
        QString name;         // "StartModus": names the group box, label and list
        QString label;        // "Modus:"
        QStringList modes;    // the list entries, position = mode number
        std::string command;  // "START.CMD"
    };

    ModeListDialog(const Setting& setting, std::function<int()> deviceMode, QWidget* mainWindow,
                   DeviceStateRecord& deviceState, Thread_Write* writer);

    // Entry m of the list; entry 0 for a number the list does not hold.
    QString ModeName(int mode) const;
    // The command that OK places into slot 1.
    std::string SettingCommand() const;

  protected:
    void FormShow() override;
    void PlaceCommands() override;
    QLabel* ModeLabel() const { return label_; }
    QComboBox* ModeList() const { return list_; }

  private:
    QLabel* label_;
    QComboBox* list_;
    std::function<int()> deviceMode_;
    std::string command_;
};
