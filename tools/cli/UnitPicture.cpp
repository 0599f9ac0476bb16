#include "UnitPicture.h"

void UnitPicture::ForgetValues() {
    const Link keptLink = link;
    std::string keptPort = std::move(port);
    std::string keptType = std::move(deviceType);
    *this = UnitPicture();
    link = keptLink;
    port = std::move(keptPort);
    deviceType = std::move(keptType);
}

const std::array<std::optional<int32_t> UnitPicture::*, 8> PictureSettings = {
    &UnitPicture::startMode,      &UnitPicture::startHighMs,  &UnitPicture::startLowMs,
    &UnitPicture::startDelayMs,   &UnitPicture::startShiftMm, &UnitPicture::speedMode,
    &UnitPicture::speedGenerator, &UnitPicture::speedFactor,
};
