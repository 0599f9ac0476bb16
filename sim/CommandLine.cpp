#include "CommandLine.h"

#include <functional>
#include <map>
#include <optional>

#include "DecimalNumber.h"

namespace sim {
namespace {

constexpr std::size_t MaxTextLength = 4096;

std::optional<int64_t> NumberIn(const std::string& text, int64_t min, int64_t max) {
    const DecimalNumber number = ParseDecimal(text);
    if (number.check != NumberCheck::Valid || number.value < min || number.value > max) {
        return std::nullopt;
    }
    return number.value;
}

template <typename Value>
std::optional<Value> Choice(const std::string& text, const std::map<std::string, Value>& choices) {
    const auto found = choices.find(text);
    if (found == choices.end()) {
        return std::nullopt;
    }
    return found->second;
}

const std::map<std::string, DeviceKind> DeviceChoices = {
    {"orvatronic", DeviceKind::Orvatronic},
    {"orvatronic2", DeviceKind::Orvatronic2},
};

const std::map<std::string, Fault> FaultChoices = {
    {"none", Fault::None},
    {"no-answer", Fault::NoAnswer},
    {"garbage", Fault::GarbageBeforeStx},
    {"slow", Fault::SlowBytes},
    {"error", Fault::ErrorToAll},
    {"no-etx", Fault::MissingEtx},
    {"oversized", Fault::OversizedReply},
    {"xoff", Fault::HoldXoff},
};

const std::map<std::string, SwitchRole> SwitchChoices = {
    {"none", SwitchRole::None},
    {"start", SwitchRole::Start},
    {"speed", SwitchRole::Speed},
};

const std::map<std::string, Motion> MotionChoices = {
    {"drift", Motion::Drift},
    {"idle", Motion::Idle},
    {"restless", Motion::Restless},
};

// Applies one option's value; false when the value is not acceptable.
using Setter = std::function<bool(const std::string&, Options&)>;

template <typename Field>
Setter NumberSetter(Field Options::*field, int64_t min, int64_t max) {
    return [field, min, max](const std::string& text, Options& options) {
        const std::optional<int64_t> value = NumberIn(text, min, max);
        if (value) {
            options.*field = static_cast<Field>(*value);
        }
        return value.has_value();
    };
}

template <typename Field>
Setter ChoiceSetter(Field Options::*field, const std::map<std::string, Field>& choices) {
    return [field, &choices](const std::string& text, Options& options) {
        const std::optional<Field> value = Choice(text, choices);
        if (value) {
            options.*field = *value;
        }
        return value.has_value();
    };
}

Setter TextSetter(std::string Options::*field) {
    return [field](const std::string& text, Options& options) {
        if (text.empty() || text.size() > MaxTextLength) {
            return false;
        }
        options.*field = text;
        return true;
    };
}

const std::map<std::string, Setter>& Setters() {
    static const std::map<std::string, Setter> setters = {
        {"--port", NumberSetter(&Options::portNumber, 1, 256)},
        {"--dir", TextSetter(&Options::folder)},
        {"--device", ChoiceSetter(&Options::device, DeviceChoices)},
        {"--firmware", TextSetter(&Options::firmware)},
        {"--state", TextSetter(&Options::stateFile)},
        {"--log", TextSetter(&Options::logFile)},
        {"--reboot-ms", NumberSetter(&Options::rebootMs, 0, 60000)},
        {"--slow-ms", NumberSetter(&Options::slowByteMs, 0, 10000)},
        {"--fault", ChoiceSetter(&Options::fault, FaultChoices)},
        {"--signal-fault", ChoiceSetter(&Options::signalFault, FaultChoices)},
        {"--switch", ChoiceSetter(&Options::switchRole, SwitchChoices)},
        {"--switch-position", NumberSetter(&Options::switchPosition, 0, 15)},
        {"--motion", ChoiceSetter(&Options::motion, MotionChoices)},
    };
    return setters;
}

CommandLineResult Refuse(std::string problem) {
    CommandLineResult result;
    result.outcome = CommandLineResult::Outcome::Usage;
    result.problem = std::move(problem);
    return result;
}

}  // namespace

CommandLineResult CommandLine::parse(const std::vector<std::string>& arguments) {
    CommandLineResult result;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::optional<std::string> value;
        const std::size_t equals = name.find('=');
        if (name.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }
        if (name == "--help" && !value) {
            result.outcome = CommandLineResult::Outcome::Help;
            return result;
        }
        const auto setter = Setters().find(name);
        if (setter == Setters().end()) {
            return Refuse("unknown option " + name);
        }
        if (!value) {
            if (i + 1 == arguments.size()) {
                return Refuse("option " + name + " needs a value");
            }
            value = arguments[++i];
        }
        if (!setter->second(*value, result.options)) {
            return Refuse("bad value for " + name + ": " + *value);
        }
    }
    return result;
}

std::string CommandLine::usage() {
    return "usage: orvatronic-sim [options]\n"
           "Simulates an Orvatronic unit on a pseudo-terminal published as COM<n>.\n"
           "  --port N               publish as COM<N>, 1 to 256 (default 5)\n"
           "  --dir FOLDER           publish in FOLDER (default $KALVIO_DOSDEVICES)\n"
           "  --device KIND          orvatronic or orvatronic2 (default orvatronic)\n"
           "  --firmware TEXT        firmware version text (default \"V2.14 sim\")\n"
           "  --state FILE           keep the stored configuration in FILE\n"
           "  --log FILE             append every received command to FILE\n"
           "  --reboot-ms N          silence after RESET, 0 to 60000 (default 300)\n"
           "  --slow-ms N            pause between reply bytes under --fault slow, 0 to 10000\n"
           "                         (default 50)\n"
           "  --fault KIND           none, no-answer, garbage, slow, error, no-etx, oversized\n"
           "                         or xoff (default none)\n"
           "  --signal-fault KIND    the fault that SIGUSR1 turns on; SIGUSR2 turns any fault\n"
           "                         off (after xoff the unit sends XON) (default none)\n"
           "  --switch ROLE          rotary switch serves none, start or speed (default start)\n"
           "  --switch-position N    rotary switch position, 0 to 15 (default 5)\n"
           "  --motion KIND          the machine's input: drift (slowly drifting speed, start\n"
           "                         pulses), idle (standing still) or restless (the speed\n"
           "                         jumps at every reading) (default drift)\n"
           "  --help                 show this text\n"
           "Runs until SIGINT or SIGTERM, then removes COM<n>.\n";
}

}  // namespace sim
