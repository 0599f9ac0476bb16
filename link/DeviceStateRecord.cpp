#include "DeviceStateRecord.h"

std::string DeviceStateRecord::DeviceType() const {
    std::lock_guard<std::mutex> guard(typeLock_);
    return deviceType_;
}

void DeviceStateRecord::SetDeviceType(const std::string& type) {
    std::lock_guard<std::mutex> guard(typeLock_);
    deviceType_ = type;
}

bool DeviceStateRecord::IsDeviceType(const char* type) const {
    std::lock_guard<std::mutex> guard(typeLock_);
    return deviceType_ == type;
}

void DeviceStateRecord::Clear() {
    SetDeviceType(std::string());
    for (std::atomic<int32_t>* value :
         {&StartModusShown, &SpeedModusShown, &StartModus, &StartGeneratorOn, &StartGeneratorOff,
          &StartDelayMS, &StartDelayMM, &SpeedModus, &SpeedGenerator, &SpeedFaktor, &SpeedInput,
          &SpeedOutput}) {
        value->store(0);
    }
}
