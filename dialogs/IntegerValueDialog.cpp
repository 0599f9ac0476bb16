#include "IntegerValueDialog.h"

#include <QGroupBox>

#include "DeviceStateRecord.h"
#include "UnitCommands.h"

namespace {

const QPoint FieldPlace(16, 28);

}  // namespace

IntegerValueDialog::IntegerValueDialog(const Setting& setting, std::function<int()> deviceValue,
                                       QWidget* mainWindow, DeviceStateRecord& deviceState,
                                       Thread_Write* writer)
    : ParameterDialogFrame(setting.objectName, setting.caption,
                           QStringLiteral("GroupBox_") + setting.name, mainWindow, deviceState,
                           writer),
      row_(GroupBox(), setting.name, FieldPlace, setting.minimum, setting.maximum, setting.initial,
           setting.texts, BitBtn_OK, this),
      deviceValue_(std::move(deviceValue)),
      command_(setting.command) {}

std::string IntegerValueDialog::SettingCommand() const {
    return command_ + " " + std::to_string(Value());
}

void IntegerValueDialog::FormShow() {
    row_.Check->Prefill(deviceValue_());
}

void IntegerValueDialog::PlaceCommands() {
    PlaceIntoSlots(SettingCommand(), unit_commands::SaveConfiguration);
}
