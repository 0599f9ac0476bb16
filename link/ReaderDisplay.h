// What the reader thread needs of the main window. ActivePageIndex() and DisplayEpoch() are
// read on the reader's own thread; every other call is made on the GUI thread, inside
// Synchronize.
#pragma once

#include <string>

class ReaderDisplay {
  public:
    virtual ~ReaderDisplay() = default;

    // Index of the active tab page: 0 start signal, 1 speed, 2 unit, 3 PC.
    virtual int ActivePageIndex() const = 0;
    // Moves on whenever the window changes what its pages show by itself (a page change, a
    // reset): the reader then hands every value over again instead of trusting that the
    // window still shows what it last handed over.
    virtual unsigned DisplayEpoch() const = 0;

    // Marks every displayed unit value unknown.
    virtual void PageReset() = 0;
    virtual void ShowSearchingCaption(const std::string& portName) = 0;
    virtual void ShowConnectedCaption(const std::string& portName) = 0;

    // A failed mode query shows "?" instead of the mode's name; mode is the mode number
    // handed over with it.
    virtual void StartModeDisplay(int mode, bool failed) = 0;
    virtual void StartGeneratorDisplay(const std::string& high, const std::string& low) = 0;
    virtual void StartDelayDisplay(const std::string& delay) = 0;
    virtual void StartShiftDisplay(const std::string& shift) = 0;
    virtual void SpeedModeDisplay(int mode, bool failed) = 0;
    virtual void SpeedGeneratorDisplay(const std::string& speed) = 0;
    virtual void SpeedFactorDisplay(const std::string& factor) = 0;
    virtual void SpeedValuesDisplay(const std::string& input, const std::string& output) = 0;
    virtual void UnitDeviceDisplay(const std::string& device) = 0;
    virtual void UnitFirmwareDisplay(const std::string& firmware) = 0;
    virtual void InputOutputDisplay(const std::string& word1, const std::string& word2) = 0;
};
