#include "ReaderQueries.h"

#include <atomic>

#include "HandOverTexts.h"
#include "ReplyParser.h"
#include "UnitCommands.h"
#include "UnitSettingTable.h"

namespace reader_queries {
namespace {

using Routine = HandOverMemory::Routine;
using hand_over_texts::WithUnit;
namespace us = unit_settings;

using Stored = std::atomic<int32_t> DeviceStateRecord::*;

template <auto Parse, Stored Field>
std::optional<HandOver> ParseMode(const char* payload, const ParseTarget& target) {
    const auto mode = Parse(payload);
    if (!mode) {
        return std::nullopt;
    }
    target.deviceState.*Field = static_cast<int32_t>(*mode);
    return HandOver{static_cast<int>(*mode), {}, {}};
}

// One number, stored as it is read and shown with its setting's unit.
template <auto Parse, Stored Field, const SettingField& Setting>
std::optional<HandOver> ParseNumber(const char* payload, const ParseTarget& target) {
    const auto value = Parse(payload);
    if (!value) {
        return std::nullopt;
    }
    std::atomic<int32_t>& stored = target.deviceState.*Field;
    stored = static_cast<int32_t>(*value);
    return HandOver{0, WithUnit(stored, Setting.unit), {}};
}

std::optional<HandOver> ParseGeneratorTimes(const char* payload, const ParseTarget& target) {
    const auto times = reply_parser::ParseStartGenerator(payload);
    if (!times) {
        return std::nullopt;
    }
    target.deviceState.StartGeneratorOn = static_cast<int32_t>(times->highMs);
    target.deviceState.StartGeneratorOff = static_cast<int32_t>(times->lowMs);
    return HandOver{0, WithUnit(target.deviceState.StartGeneratorOn, us::StartGeneratorHigh.unit),
                    WithUnit(target.deviceState.StartGeneratorOff, us::StartGeneratorLow.unit)};
}

std::optional<HandOver> ParseFactor(const char* payload, const ParseTarget& target) {
    const auto factor = reply_parser::ParseSigned(payload);
    if (!factor) {
        return std::nullopt;
    }
    target.deviceState.SpeedFaktor = *factor;
    return HandOver{0, hand_over_texts::Factor(*factor, target.decimalSeparator), {}};
}

std::optional<HandOver> ParseSpeeds(const char* payload, const ParseTarget& target) {
    const auto speeds = reply_parser::ParseSpeedSpeed(payload);
    if (!speeds) {
        return std::nullopt;
    }
    target.deviceState.SpeedInput = speeds->inputMmPerS;
    target.deviceState.SpeedOutput = speeds->outputMmPerS;
    return HandOver{0, WithUnit(speeds->inputMmPerS, "mm/s"),
                    WithUnit(speeds->outputMmPerS, "mm/s")};
}

// The device and firmware texts are shown as the unit sends them.
std::optional<HandOver> ParseWholePayload(const char* payload, const ParseTarget&) {
    if (reply_parser::IsErrorReply(payload)) {
        return std::nullopt;
    }
    return HandOver{0, payload, {}};
}

std::optional<HandOver> ParseIoWords(const char* payload, const ParseTarget&) {
    const auto words = reply_parser::ParseIo(payload);
    if (!words) {
        return std::nullopt;
    }
    // Handed over as signed decimal renderings of the 32-bit words.
    return HandOver{0, hand_over_texts::Decimal(static_cast<int32_t>(words->word1)),
                    hand_over_texts::Decimal(static_cast<int32_t>(words->word2))};
}

template <void (ReaderDisplay::*Display)(int, bool)>
void ShowMode(ReaderDisplay& display, const HandOver& values, bool failed) {
    (display.*Display)(values.mode, failed);
}

template <void (ReaderDisplay::*Display)(const std::string&)>
void ShowOne(ReaderDisplay& display, const HandOver& values, bool) {
    (display.*Display)(values.first);
}

template <void (ReaderDisplay::*Display)(const std::string&, const std::string&)>
void ShowTwo(ReaderDisplay& display, const HandOver& values, bool) {
    (display.*Display)(values.first, values.second);
}

using D = DeviceStateRecord;
using R = ReaderDisplay;
namespace rp = reply_parser;

// clang-format off: one query a row
const Query StartMode{us::StartMode.command, ParseMode<rp::ParseStartMode, &D::StartModus>,
                      Routine::StartMode, Kind::ModeZeroOnFailure, ShowMode<&R::StartModeDisplay>};
const Query StartGenerator{us::StartGeneratorHigh.command, ParseGeneratorTimes,
                           Routine::StartGenerator, Kind::Texts,
                           ShowTwo<&R::StartGeneratorDisplay>};
const Query StartDelay{us::StartDelay.command,
                       ParseNumber<rp::ParseUnsigned, &D::StartDelayMS, us::StartDelay>,
                       Routine::StartDelay, Kind::Texts, ShowOne<&R::StartDelayDisplay>};
const Query StartShift{us::StartShift.command,
                       ParseNumber<rp::ParseUnsigned, &D::StartDelayMM, us::StartShift>,
                       Routine::StartShift, Kind::Texts, ShowOne<&R::StartShiftDisplay>};
const Query SpeedMode{us::SpeedMode.command, ParseMode<rp::ParseSpeedMode, &D::SpeedModus>,
                      Routine::SpeedMode, Kind::ModeKeptOnFailure, ShowMode<&R::SpeedModeDisplay>};
const Query SpeedGenerator{us::SpeedGenerator.command,
                           ParseNumber<rp::ParseSigned, &D::SpeedGenerator, us::SpeedGenerator>,
                           Routine::SpeedGenerator, Kind::Texts,
                           ShowOne<&R::SpeedGeneratorDisplay>};
const Query SpeedFactor{us::SpeedFactor.command, ParseFactor, Routine::SpeedFactor, Kind::Texts,
                        ShowOne<&R::SpeedFactorDisplay>};
const Query SpeedValues{unit_commands::Speeds, ParseSpeeds, Routine::SpeedValues, Kind::Texts,
                        ShowTwo<&R::SpeedValuesDisplay>};
const Query UnitDevice{unit_commands::Device, ParseWholePayload, Routine::UnitDevice, Kind::Texts,
                       ShowOne<&R::UnitDeviceDisplay>};
const Query UnitFirmware{unit_commands::Firmware, ParseWholePayload, Routine::UnitFirmware,
                         Kind::Texts, ShowOne<&R::UnitFirmwareDisplay>};
const Query InputOutput{unit_commands::InputOutput, ParseIoWords, Routine::InputOutput, Kind::Texts,
                        ShowTwo<&R::InputOutputDisplay>};
// clang-format on

const Query* const StartPage[] = {&StartMode, &StartGenerator, &StartDelay, &StartShift,
                                  &InputOutput};
const Query* const SpeedPage[] = {&SpeedMode, &SpeedGenerator, &SpeedFactor, &SpeedValues,
                                  &InputOutput};
const Query* const UnitPage[] = {&UnitDevice, &UnitFirmware};
const Query* const PcPage[] = {&InputOutput};

template <std::size_t Count>
Page PageOf(const Query* const (&queries)[Count]) {
    return {queries, Count};
}

}  // namespace

std::optional<Page> PageQueries(int pageIndex) {
    switch (pageIndex) {
        case 0:
            return PageOf(StartPage);
        case 1:
            return PageOf(SpeedPage);
        case 2:
            return PageOf(UnitPage);
        case 3:
            return PageOf(PcPage);
        default:
            return std::nullopt;
    }
}

std::string Remembered(const HandOver& values) {
    return values.second.empty() ? values.first : values.first + '\n' + values.second;
}

}  // namespace reader_queries
