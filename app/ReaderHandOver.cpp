#include "ReaderHandOver.h"

#include "HandOverTexts.h"
#include "PageWidgets.h"
#include "TFormSpeedFaktor.h"
#include "TFormSpeedModus.h"
#include "TFormStartModus.h"

namespace {

// A text handed over as a signed decimal 32-bit value; anything else counts as 0.
uint32_t WordOf(const std::string& text) {
    bool ok = false;
    const int value = QString::fromStdString(text).toInt(&ok);
    return ok ? static_cast<uint32_t>(value) : 0;
}

// Entry m of a mode list; entry 0 for a number the list does not hold.
QString ModeName(const QStringList& names, int mode) {
    return names.value(mode >= 0 && mode < names.size() ? mode : 0);
}

// The mode dialogs' lists name the modes, so a language file that renames them renames the
// page's display too. Before the dialogs exist the built-in names stand in.
QString StartModeName(int mode) {
    return FormStartModus != nullptr ? FormStartModus->ModeName(mode)
                                     : ModeName(TFormStartModus::BuiltInModes(), mode);
}

QString SpeedModeName(int mode) {
    return FormSpeedModus != nullptr ? FormSpeedModus->ModeName(mode)
                                     : ModeName(TFormSpeedModus::BuiltInModes(), mode);
}

QString TextOf(const std::string& text) {
    return QString::fromStdString(text);
}

// Unit replies are 8-bit text; each byte is shown as its Latin-1 character.
QString UnitTextOf(const std::string& text) {
    return QString::fromLatin1(text.data(), int(text.size()));
}

}  // namespace

ReaderHandOver::ReaderHandOver(StartSignalPage& start, SpeedPage& speed, UnitPage& unit,
                               DeviceStateRecord& deviceState, Window window)
    : start_(start),
      speed_(speed),
      unit_(unit),
      deviceState_(deviceState),
      window_(std::move(window)) {}

void ReaderHandOver::SetActivePage(int index) {
    activePageIndex_ = index;
}

void ReaderHandOver::RedisplayUnitValues() {
    ++displayEpoch_;
}

int ReaderHandOver::ActivePageIndex() const {
    return activePageIndex_.load();
}

unsigned ReaderHandOver::DisplayEpoch() const {
    return displayEpoch_.load();
}

void ReaderHandOver::PageReset() {
    window_.pageReset();
}

void ReaderHandOver::ShowSearchingCaption(const std::string& portName) {
    window_.caption(false, portName);
}

void ReaderHandOver::ShowConnectedCaption(const std::string& portName) {
    window_.caption(true, portName);
}

void ReaderHandOver::StartModeDisplay(int mode, bool failed) {
    start_.ModeDisplay(mode, failed ? QStringLiteral("?") : StartModeName(mode));
}

void ReaderHandOver::StartGeneratorDisplay(const std::string& high, const std::string& low) {
    start_.StartGeneratorDisplay(TextOf(high), TextOf(low));
}

void ReaderHandOver::StartDelayDisplay(const std::string& delay) {
    start_.StartDelayDisplay(TextOf(delay));
}

void ReaderHandOver::StartShiftDisplay(const std::string& shift) {
    start_.StartShiftDisplay(TextOf(shift));
}

void ReaderHandOver::SpeedModeDisplay(int mode, bool failed) {
    speed_.ModeDisplay(mode, failed ? QStringLiteral("?") : SpeedModeName(mode));
}

void ReaderHandOver::SpeedGeneratorDisplay(const std::string& speed) {
    speed_.SpeedGeneratorDisplay(TextOf(speed));
}

void ReaderHandOver::SpeedFactorDisplay(const std::string& factor) {
    speed_.SpeedFactorDisplay(TextOf(factor));
}

// The measured input speed also reaches the factor dialog, which recomputes while it is open.
void ReaderHandOver::SpeedValuesDisplay(const std::string& input, const std::string& output) {
    speed_.SpeedValuesDisplay(TextOf(input), TextOf(output));
    if (FormSpeedFaktor != nullptr) {
        FormSpeedFaktor->ShowInputSpeed(input == hand_over_texts::Unknown
                                            ? QStringLiteral("?")
                                            : QString::number(deviceState_.SpeedInput.load()));
    }
}

void ReaderHandOver::UnitDeviceDisplay(const std::string& device) {
    unit_.UnitDeviceDisplay(UnitTextOf(device));
}

void ReaderHandOver::UnitFirmwareDisplay(const std::string& firmware) {
    unit_.UnitFirmwareDisplay(UnitTextOf(firmware));
}

void ReaderHandOver::InputOutputDisplay(const std::string& word1, const std::string& word2) {
    if (word1 == hand_over_texts::Unknown) {
        start_.ShowLinesUnknown();
        speed_.ShowLinesUnknown();
        return;
    }
    const uint32_t w1 = WordOf(word1);
    const uint32_t w2 = WordOf(word2);
    start_.ShowLines(w1, w2);
    speed_.ShowLines(w1, w2);

    const bool startSwitch = (w1 & page_widgets::Bit(21)) != 0;
    const bool speedSwitch = (w1 & page_widgets::Bit(22)) != 0;
    SignalPage& served = startSwitch ? static_cast<SignalPage&>(start_) : speed_;
    SignalPage& other = startSwitch ? static_cast<SignalPage&>(speed_) : start_;
    if (startSwitch != speedSwitch) {
        served.ShowSwitchInUse(w1);
        other.ShowSwitchUnused();
    } else {
        start_.ShowSwitchUnused();
        speed_.ShowSwitchUnused();
    }
}
