#include "ModeListDialog.h"

#include <QGroupBox>

#include "StateColours.h"
#include "UnitCommands.h"

namespace {

constexpr int VisibleRows = 13;

}  // namespace

ModeListDialog::ModeListDialog(const Setting& setting, std::function<int()> deviceMode,
                               QWidget* mainWindow, DeviceStateRecord& deviceState,
                               Thread_Write* writer)
    : ParameterDialogFrame(setting.objectName, setting.caption,
                           QStringLiteral("GroupBox_") + setting.name, mainWindow, deviceState,
                           writer),
      deviceMode_(std::move(deviceMode)),
      command_(setting.command) {
    const int width = GroupBox()->width() - 32;
    label_ = new QLabel(setting.label, GroupBox());
    label_->setObjectName(QStringLiteral("Label_") + setting.name);
    label_->setGeometry(16, 36, width, 13);

    list_ = new QComboBox(GroupBox());
    list_->setObjectName(QStringLiteral("ComboBox_") + setting.name);
    list_->setEditable(false);
    list_->setMaxVisibleItems(VisibleRows);
    list_->addItems(setting.modes);
    list_->setGeometry(16, 52, width, 21);
    state_colours::SetFieldColour(list_, state_colours::Field::Input, state_colours::SkyBlue);
}

QString ModeListDialog::ModeName(int mode) const {
    if (list_->count() == 0) {
        return QString();
    }
    return list_->itemText(mode >= 0 && mode < list_->count() ? mode : 0);
}

std::string ModeListDialog::SettingCommand() const {
    const int position = list_->currentIndex();
    const int mode = position >= 1 && position < list_->count() ? position : 0;
    return command_ + " " + std::to_string(mode);
}

void ModeListDialog::FormShow() {
    const int mode = deviceMode_();
    list_->setCurrentIndex(mode >= 0 && mode < list_->count() ? mode : -1);
}

void ModeListDialog::PlaceCommands() {
    PlaceIntoSlots(SettingCommand(), unit_commands::SaveConfiguration, unit_commands::Restart);
}
