// The unit's values as last read. The reader thread writes them; the pages and dialogs read
// them on the GUI thread. Each number is one atomic 32-bit value; the device type text is
// handed over whole, never half-written.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

class DeviceStateRecord {
  public:
    static constexpr const char* TypeOrvatronic = "Orvatronic";
    static constexpr const char* TypeOrvatronic2 = "Orvatronic2";

    std::string DeviceType() const;
    void SetDeviceType(const std::string& type);
    bool IsDeviceType(const char* type) const;

    // Back to the state at start: no unit identified, every number 0.
    void Clear();

    std::atomic<int32_t> StartModusShown{0};
    std::atomic<int32_t> SpeedModusShown{0};
    std::atomic<int32_t> StartModus{0};
    std::atomic<int32_t> StartGeneratorOn{0};
    std::atomic<int32_t> StartGeneratorOff{0};
    std::atomic<int32_t> StartDelayMS{0};
    std::atomic<int32_t> StartDelayMM{0};
    std::atomic<int32_t> SpeedModus{0};
    std::atomic<int32_t> SpeedGenerator{0};
    std::atomic<int32_t> SpeedFaktor{0};
    std::atomic<int32_t> SpeedInput{0};
    std::atomic<int32_t> SpeedOutput{0};

  private:
    mutable std::mutex typeLock_;
    std::string deviceType_;
};
