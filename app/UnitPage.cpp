#include "UnitPage.h"

#include "PageWidgets.h"
#include "StateColours.h"

using namespace page_widgets;
namespace colours = state_colours;

UnitPage::UnitPage(QWidget* tabSheet) {
    QGroupBox* box = GroupBox(tabSheet, "GroupBox_OrvatronicVersion", {0, 0, 645, 95}, "Version");
    Label(box, "Label_OrvatronicDevice", {20, 30, 254, 13}, "Device:");
    Edit_OrvatronicDevice =
        ReadOnlyField(box, "Edit_OrvatronicDevice", {20, 46, 254, 21}, colours::Yellow);
    SpeedButton_OrvatronicDevice = EditButton(box, "SpeedButton_OrvatronicDevice", {275, 46});
    SpeedButton_OrvatronicDevice->setEnabled(false);
    Label(box, "Label_OrvatronicFirmware", {348, 30, 277, 13}, "Firmware:");
    Edit_OrvatronicFirmware =
        ReadOnlyField(box, "Edit_OrvatronicFirmware", {348, 46, 277, 21}, colours::Yellow);
}

void UnitPage::Reset() {
    SetField(Edit_OrvatronicDevice, QStringLiteral("?"), colours::Yellow);
    SpeedButton_OrvatronicDevice->setEnabled(false);
    SetField(Edit_OrvatronicFirmware, QStringLiteral("?"), colours::Yellow);
}

void UnitPage::UnitDeviceDisplay(const QString& device) {
    SetField(Edit_OrvatronicDevice, device, colours::Silver);
}

void UnitPage::UnitFirmwareDisplay(const QString& firmware) {
    SetField(Edit_OrvatronicFirmware, firmware, colours::Silver);
}
