#include "CommandInterpreter.h"

#include <array>
#include <cinttypes>
#include <cstdarg>
#include <cstdio>
#include <type_traits>
#include <utility>
#include <vector>

#include "DecimalNumber.h"
#include "UnitCommands.h"
#include "UnitSettingTable.h"

namespace sim {
namespace {

namespace us = unit_settings;

constexpr std::size_t MaxArguments = 2;

using Values = std::array<int64_t, MaxArguments>;

struct SettingCommand {
    const char* name;
    std::size_t argumentCount;
    std::array<setting_ranges::Range, MaxArguments> ranges;
    void (*apply)(Configuration&, const Values&);
    Effect effect;
};

// A setting with one argument, which the running configuration takes as it is.
template <auto Member>
SettingCommand SetsOne(const SettingField& setting) {
    using Value = std::remove_reference_t<decltype(std::declval<Settings&>().*Member)>;
    return {
        setting.command,
        1,
        {setting.range},
        [](Configuration& c, const Values& v) { c.running().*Member = static_cast<Value>(v[0]); },
        Effect::None};
}

const SettingCommand SettingCommands[] = {
    SetsOne<&Settings::startMode>(us::StartMode),
    {us::StartGeneratorHigh.command,
     2,
     {us::StartGeneratorHigh.range, us::StartGeneratorLow.range},
     [](Configuration& c, const Values& v) {
         c.running().startHighMs = unsigned(v[0]);
         c.running().startLowMs = unsigned(v[1]);
     },
     Effect::None},
    SetsOne<&Settings::startDelayMs>(us::StartDelay),
    SetsOne<&Settings::startShiftMm>(us::StartShift),
    SetsOne<&Settings::speedMode>(us::SpeedMode),
    SetsOne<&Settings::speedGenerator>(us::SpeedGenerator),
    SetsOne<&Settings::speedFactor>(us::SpeedFactor),
    {unit_commands::ResetStart,
     0,
     {},
     [](Configuration& c, const Values&) { c.resetStart(); },
     Effect::None},
    {unit_commands::ResetSpeed,
     0,
     {},
     [](Configuration& c, const Values&) { c.resetSpeed(); },
     Effect::None},
    {unit_commands::SaveConfiguration,
     0,
     {},
     [](Configuration& c, const Values&) { c.save(); },
     Effect::StoreConfiguration},
    // The reboot itself (silence, then the stored configuration) is the unit's business.
    {unit_commands::Restart, 0, {}, [](Configuration&, const Values&) {}, Effect::Reboot},
};

const SettingCommand* FindSetting(std::string_view name) {
    for (const SettingCommand& command : SettingCommands) {
        if (name == command.name) {
            return &command;
        }
    }
    return nullptr;
}

// Arguments are separated by single blanks: a doubled, leading or trailing blank gives an empty
// word, which no argument accepts.
std::vector<std::string_view> SplitWords(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t begin = 0;
    while (true) {
        const std::size_t blank = text.find(' ', begin);
        if (blank == std::string_view::npos) {
            words.push_back(text.substr(begin));
            return words;
        }
        words.push_back(text.substr(begin, blank - begin));
        begin = blank + 1;
    }
}

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string Format(const char* format, ...) {
    char buffer[64];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    return length < 0 ? std::string() : std::string(buffer);
}

// Checks the arguments against the command's ranges; an empty text when they all fit.
std::string CheckArguments(const SettingCommand& command,
                           const std::vector<std::string_view>& arguments, Values& values) {
    if (arguments.size() != command.argumentCount) {
        return error_payload::BadArguments;
    }
    bool outOfRange = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const DecimalNumber number = ParseDecimal(arguments[i]);
        if (number.check == NumberCheck::Malformed) {
            return error_payload::BadArguments;
        }
        if (number.check == NumberCheck::TooLarge ||
            !setting_ranges::Contains(command.ranges[i], number.value)) {
            outOfRange = true;
        }
        values[i] = number.value;
    }
    return outOfRange ? error_payload::OutOfRange : std::string();
}

}  // namespace

std::string DeviceText(DeviceKind device) {
    return device == DeviceKind::Orvatronic ? "Orvatronic  sim" : "Orvatronic2 sim";
}

CommandInterpreter::CommandInterpreter(std::string deviceText, std::string firmware)
    : deviceText_(std::move(deviceText)), firmware_(std::move(firmware)) {}

bool CommandInterpreter::answerQuery(std::string_view name, const Settings& settings,
                                     const Readings& readings, std::string& payload) const {
    if (name == unit_commands::Device) {
        payload = deviceText_;
    } else if (name == unit_commands::Firmware) {
        payload = firmware_;
    } else if (name == us::StartMode.command) {
        payload = Format("%u", settings.startMode);
    } else if (name == us::StartGeneratorHigh.command) {
        payload = Format("%u %u", settings.startHighMs, settings.startLowMs);
    } else if (name == us::StartDelay.command) {
        payload = Format("%u", settings.startDelayMs);
    } else if (name == us::StartShift.command) {
        payload = Format("%u", settings.startShiftMm);
    } else if (name == us::SpeedMode.command) {
        payload = Format("%u", settings.speedMode);
    } else if (name == us::SpeedGenerator.command) {
        payload = Format("%d", settings.speedGenerator);
    } else if (name == us::SpeedFactor.command) {
        payload = Format("%d", settings.speedFactor);
    } else if (name == unit_commands::Speeds) {
        payload =
            Format("%d %d %d", readings.inputSpeed, readings.inputPulseRate, readings.outputSpeed);
    } else if (name == unit_commands::InputOutput) {
        payload = Format("%08" PRIX32 "%08" PRIX32, readings.word1, readings.word2);
    } else {
        return false;
    }
    return true;
}

Answer CommandInterpreter::answer(std::string_view command, Configuration& configuration,
                                  const Readings& readings) const {
    const std::vector<std::string_view> words = SplitWords(command);
    const std::string_view name = words.front();
    const std::vector<std::string_view> arguments(words.begin() + 1, words.end());

    std::string payload;
    if (arguments.empty() && answerQuery(name, configuration.running(), readings, payload)) {
        return {payload, Effect::None};
    }
    const SettingCommand* setting = FindSetting(name);
    if (setting == nullptr) {
        const bool isQuery = answerQuery(name, configuration.running(), readings, payload);
        return {isQuery ? error_payload::BadArguments : error_payload::UnknownCommand,
                Effect::None};
    }
    Values values{};
    const std::string refusal = CheckArguments(*setting, arguments, values);
    if (!refusal.empty()) {
        return {refusal, Effect::None};
    }
    setting->apply(configuration, values);
    return {AcceptedPayload, setting->effect};
}

}  // namespace sim
