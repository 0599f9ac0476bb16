#include "ReaderFace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>

#include "HandOverTexts.h"

namespace {

bool IsUnknown(const std::string& text) {
    return text == hand_over_texts::Unknown;
}

// The input/output display turns its texts back into the words; a text that is not a number
// counts as 0.
uint32_t WordFromText(const std::string& text) {
    return static_cast<uint32_t>(static_cast<int32_t>(std::strtol(text.c_str(), nullptr, 10)));
}

}  // namespace

ReaderFace::ReaderFace(const DeviceStateRecord& deviceState) : deviceState_(deviceState) {
    if (pipe2(changePipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
        changePipe_[0] = changePipe_[1] = -1;
    }
}

ReaderFace::~ReaderFace() {
    for (const int end : changePipe_) {
        if (end >= 0) {
            close(end);
        }
    }
}

UnitPicture ReaderFace::Picture() const {
    char bytes[64];
    while (changePipe_[0] >= 0 && read(changePipe_[0], bytes, sizeof bytes) > 0) {
    }
    // Cleared before the copy: a change made after it signals again.
    changeSignalled_ = false;
    std::lock_guard<std::mutex> hold(lock_);
    return picture_;
}

void ReaderFace::RunOnGuiThread(const std::function<void()>& routine) {
    routine();
}

int ReaderFace::ActivePageIndex() const {
    if (changedInCycle_) {
        changedInCycle_ = false;
        SignalChange();
    }
    return static_cast<int>(cycle_.fetch_add(1) % PolledPages);
}

template <typename Change>
void ReaderFace::ChangePicture(Change change, Tell tell) {
    {
        std::lock_guard<std::mutex> hold(lock_);
        change(picture_);
    }
    if (tell == Tell::AtOnce) {
        SignalChange();
    } else {
        changedInCycle_ = true;
    }
}

void ReaderFace::SignalChange() const {
    if (!changeSignalled_.exchange(true)) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = write(changePipe_[1], &byte, 1);
    }
}

std::optional<int32_t> ReaderFace::KnownUnless(const std::string& text, int32_t number) {
    if (IsUnknown(text)) {
        return std::nullopt;
    }
    return number;
}

void ReaderFace::ShowSetting(Setting field, const std::string& text, int32_t number) {
    const auto value = KnownUnless(text, number);
    ChangePicture([&](UnitPicture& p) { p.*field = value; });
}

void ReaderFace::ShowMode(Setting field, int mode, bool failed) {
    ChangePicture(
        [&](UnitPicture& p) { p.*field = failed ? std::nullopt : std::optional<int32_t>(mode); });
}

void ReaderFace::PageReset() {
    changedInCycle_ = false;
    ChangePicture([](UnitPicture& p) { p.ForgetValues(); }, Tell::AtOnce);
}

void ReaderFace::ShowSearchingCaption(const std::string& portName) {
    ChangePicture(
        [&](UnitPicture& p) {
            p.link = UnitPicture::Link::Searching;
            p.port = portName;
            p.deviceType.clear();
        },
        Tell::AtOnce);
}

void ReaderFace::ShowConnectedCaption(const std::string& portName) {
    const std::string type = deviceState_.DeviceType();
    ChangePicture(
        [&](UnitPicture& p) {
            p.link = UnitPicture::Link::Connected;
            p.port = portName;
            p.deviceType = type;
        },
        Tell::AtOnce);
}

void ReaderFace::StartModeDisplay(int mode, bool failed) {
    ShowMode(&UnitPicture::startMode, mode, failed);
}

void ReaderFace::StartGeneratorDisplay(const std::string& high, const std::string& low) {
    const auto highMs = KnownUnless(high, deviceState_.StartGeneratorOn);
    const auto lowMs = KnownUnless(low, deviceState_.StartGeneratorOff);
    ChangePicture([&](UnitPicture& p) {
        p.startHighMs = highMs;
        p.startLowMs = lowMs;
    });
}

void ReaderFace::StartDelayDisplay(const std::string& delay) {
    ShowSetting(&UnitPicture::startDelayMs, delay, deviceState_.StartDelayMS);
}

void ReaderFace::StartShiftDisplay(const std::string& shift) {
    ShowSetting(&UnitPicture::startShiftMm, shift, deviceState_.StartDelayMM);
}

void ReaderFace::SpeedModeDisplay(int mode, bool failed) {
    ShowMode(&UnitPicture::speedMode, mode, failed);
}

void ReaderFace::SpeedGeneratorDisplay(const std::string& speed) {
    ShowSetting(&UnitPicture::speedGenerator, speed, deviceState_.SpeedGenerator);
}

void ReaderFace::SpeedFactorDisplay(const std::string& factor) {
    ShowSetting(&UnitPicture::speedFactor, factor, deviceState_.SpeedFaktor);
}

void ReaderFace::SpeedValuesDisplay(const std::string& input, const std::string& output) {
    const auto in = KnownUnless(input, deviceState_.SpeedInput);
    const auto out = KnownUnless(output, deviceState_.SpeedOutput);
    ChangePicture([&](UnitPicture& p) {
        p.inputSpeed = in;
        p.outputSpeed = out;
    });
}

void ReaderFace::UnitDeviceDisplay(const std::string& device) {
    ChangePicture([&](UnitPicture& p) {
        p.device = IsUnknown(device) ? std::nullopt : std::optional<std::string>(device);
    });
}

void ReaderFace::UnitFirmwareDisplay(const std::string& firmware) {
    ChangePicture([&](UnitPicture& p) {
        p.firmware = IsUnknown(firmware) ? std::nullopt : std::optional<std::string>(firmware);
    });
}

void ReaderFace::InputOutputDisplay(const std::string& word1, const std::string& word2) {
    std::optional<reply_parser::IoWords> words;
    if (!IsUnknown(word1) && !IsUnknown(word2)) {
        words = reply_parser::IoWords{WordFromText(word1), WordFromText(word2)};
    }
    ChangePicture([&](UnitPicture& p) { p.io = words; });
}
