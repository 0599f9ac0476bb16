// The reader thread's display, turned to a terminal program: instead of pages, one picture of
// the unit that a watching or recording loop reads. The reader is the window's own, so the
// search, the polling order and the reconnect are exactly the window's.
//
// There is no GUI thread here. Every display routine only writes the picture under a lock, so
// the hand-over runs it on the reader's own thread at once; a byte in a pipe then tells the
// loop that the picture changed. Values are told once a polling cycle is complete, when the
// reader asks for the page of the next one, so that the loop wakes once a cycle and sees the
// values of one cycle together; the search's reset and captions are told at once.
#pragma once

#include <atomic>
#include <mutex>

#include "DeviceStateRecord.h"
#include "GuiHandOver.h"
#include "ReaderDisplay.h"
#include "UnitPicture.h"

class ReaderFace : public ReaderDisplay, public GuiHandOver {
  public:
    // The numbers come from the device state, which the reader writes before each hand-over.
    explicit ReaderFace(const DeviceStateRecord& deviceState);
    ~ReaderFace() override;
    ReaderFace(const ReaderFace&) = delete;
    ReaderFace& operator=(const ReaderFace&) = delete;

    // Readable after the picture changed; Picture() empties it.
    int ChangeDescriptor() const { return changePipe_[0]; }
    UnitPicture Picture() const;

    void RunOnGuiThread(const std::function<void()>& routine) override;

    // Every polling cycle turns to the next of the start, speed and unit pages, so that every
    // value is read in turn.
    int ActivePageIndex() const override;
    unsigned DisplayEpoch() const override { return 0; }

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
    static constexpr int PolledPages = 3;

    enum class Tell { AtCycleEnd, AtOnce };

    template <typename Change>
    void ChangePicture(Change change, Tell tell = Tell::AtCycleEnd);
    void SignalChange() const;
    // The number when the hand-over text is a value, nothing when it is "?".
    static std::optional<int32_t> KnownUnless(const std::string& text, int32_t number);
    using Setting = std::optional<int32_t> UnitPicture::*;
    // One setting of the picture: unknown for "?", else the number the reader stored.
    void ShowSetting(Setting field, const std::string& text, int32_t number);
    // A mode of the picture: unknown when the reader could not read it.
    void ShowMode(Setting field, int mode, bool failed);

    const DeviceStateRecord& deviceState_;
    mutable std::atomic<unsigned> cycle_{0};
    mutable std::mutex lock_;
    UnitPicture picture_;
    // A byte is in the pipe that Picture() has not taken yet: the next change needs none.
    mutable std::atomic<bool> changeSignalled_{false};
    // Changed since the cycle began; only the reader's thread uses it.
    mutable bool changedInCycle_ = false;
    int changePipe_[2] = {-1, -1};
};
