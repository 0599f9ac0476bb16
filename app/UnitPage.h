// The unit page: which unit is connected, its device text and firmware version.
#pragma once

#include <QLineEdit>
#include <QToolButton>
#include <QWidget>

class UnitPage {
  public:
    explicit UnitPage(QWidget* tabSheet);

    void Reset();
    void UnitDeviceDisplay(const QString& device);
    void UnitFirmwareDisplay(const QString& firmware);

    QLineEdit* Edit_OrvatronicDevice;
    QToolButton* SpeedButton_OrvatronicDevice;  // never enabled: the unit type is read only
    QLineEdit* Edit_OrvatronicFirmware;
};
