// The unit's command set: answers a query with its value, carries out a setting, and refuses
// anything else with a payload beginning with "Fehler" without changing anything.
#pragma once

#include <string>
#include <string_view>

#include "Configuration.h"
#include "SignalModel.h"

namespace sim {

namespace error_payload {
constexpr const char* UnknownCommand = "Fehler: unbekannter Befehl";
constexpr const char* BadArguments = "Fehler: Parameter";
constexpr const char* OutOfRange = "Fehler: Wertebereich";
constexpr const char* TooLong = "Fehler: Befehl zu lang";
constexpr const char* Disturbed = "Fehler: Stoerung";
}  // namespace error_payload

constexpr const char* AcceptedPayload = "OK";

// What the unit has to do besides sending the payload.
enum class Effect { None, StoreConfiguration, Reboot };

struct Answer {
    std::string payload;
    Effect effect = Effect::None;
};

class CommandInterpreter {
  public:
    CommandInterpreter(std::string deviceText, std::string firmware);

    // readings are the live values at the time of the command; queries report them.
    Answer answer(std::string_view command, Configuration& configuration,
                  const Readings& readings) const;

  private:
    bool answerQuery(std::string_view name, const Settings& settings, const Readings& readings,
                     std::string& payload) const;

    std::string deviceText_;
    std::string firmware_;
};

// "Orvatronic  sim" or "Orvatronic2 sim": the first 11 characters name the kind.
std::string DeviceText(DeviceKind device);

}  // namespace sim
