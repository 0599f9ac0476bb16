// The reader's side of the main window: which page is active, when to hand every value over
// again, and where each hand-over lands: its texts become the pages' display calls, the two
// "IO" words colour both signal pages and choose the rotary switch in use.
// ActivePageIndex() and DisplayEpoch() are read on the reader's thread, everything else runs
// on the GUI thread.
#pragma once

#include <atomic>
#include <functional>
#include <string>

#include "DeviceStateRecord.h"
#include "ReaderDisplay.h"
#include "SpeedPage.h"
#include "StartSignalPage.h"
#include "UnitPage.h"

class ReaderHandOver : public ReaderDisplay {
  public:
    // What stays with the window: the page reset and the caption naming the port.
    struct Window {
        std::function<void()> pageReset;
        std::function<void(bool connected, const std::string& portName)> caption;
    };
    ReaderHandOver(StartSignalPage& start, SpeedPage& speed, UnitPage& unit,
                   DeviceStateRecord& deviceState, Window window);

    void SetActivePage(int index);
    // Something besides the reader changed how unit values are shown: the reader hands every
    // value over again in its next cycle.
    void RedisplayUnitValues();

    int ActivePageIndex() const override;
    unsigned DisplayEpoch() const override;
    void PageReset() override;
    void ShowSearchingCaption(const std::string& portName) override;
    void ShowConnectedCaption(const std::string& portName) override;
    void StartModeDisplay(int mode, bool failed) override;
    void StartGeneratorDisplay(const std::string& high, const std::string& low) override;
    void StartDelayDisplay(const std::string& delay) override;
    void StartShiftDisplay(const std::string& shift) override;
    void SpeedModeDisplay(int mode, bool failed) override;
    void SpeedGeneratorDisplay(const std::string& speed) override;
    void SpeedFactorDisplay(const std::string& factor) override;
    void SpeedValuesDisplay(const std::string& input, const std::string& output) override;
    void UnitDeviceDisplay(const std::string& device) override;
    void UnitFirmwareDisplay(const std::string& firmware) override;
    void InputOutputDisplay(const std::string& word1, const std::string& word2) override;

  private:
    StartSignalPage& start_;
    SpeedPage& speed_;
    UnitPage& unit_;
    DeviceStateRecord& deviceState_;
    Window window_;
    std::atomic<int> activePageIndex_{0};
    std::atomic<unsigned> displayEpoch_{0};
};
