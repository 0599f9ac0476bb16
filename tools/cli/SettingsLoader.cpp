#include "SettingsLoader.h"

#include "LoadPlan.h"
#include "ReplyParser.h"

bool SettingsLoader::Load(const UnitSettings& wanted, bool dryRun) {
    std::string failedQuery;
    const auto current = unit_.ReadSettings(failedQuery);
    if (!current) {
        out_ << "The unit gave no usable answer to " << failedQuery << "; nothing was sent.\n";
        return false;
    }
    const std::vector<std::string> commands = load_plan::Commands(*current, wanted);
    if (dryRun) {
        out_ << "These commands would be sent (nothing was sent):\n";
        for (const std::string& command : commands) {
            out_ << "  " << command << "\n";
        }
        return true;
    }
    for (auto command = commands.begin(); command != commands.end(); ++command) {
        if (!Send(*command)) {
            out_ << "The unit stopped answering at \"" << *command
                 << "\"; its settings may be half changed. Run the load again.\n";
            NameUnsent(command + 1, commands.end());
            return false;
        }
    }
    return ReadBack(wanted);
}

void SettingsLoader::NameUnsent(std::vector<std::string>::const_iterator first,
                                std::vector<std::string>::const_iterator last) {
    if (first == last) {
        return;
    }
    out_ << "Not sent:";
    for (auto command = first; command != last; ++command) {
        out_ << (command == first ? " " : ", ") << *command;
    }
    out_ << "\n";
}

bool SettingsLoader::Send(const std::string& command) {
    out_ << "  " << command;
    const auto reply = command == "RESET" ? unit_.Reset() : unit_.Ask(command);
    if (!reply) {
        out_ << "\n";
        return false;
    }
    // A refusal changes nothing; the read-back then names the value.
    out_ << (reply_parser::IsErrorReply(reply->c_str()) ? "  refused: " + *reply : "") << "\n";
    return true;
}

bool SettingsLoader::ReadBack(const UnitSettings& wanted) {
    if (!unit_.WaitForAnswer(RestartWaitMs)) {
        out_ << "The unit did not answer again within " << RestartWaitMs / 1000
             << " s after its restart; the settings could not be read back.\n";
        return false;
    }
    std::string failedQuery;
    const auto now = unit_.ReadSettings(failedQuery);
    if (!now) {
        out_ << "The unit gave no usable answer to " << failedQuery
             << "; the settings could not be read back.\n";
        return false;
    }
    const auto differing = DifferingFields(*now, wanted);
    for (const SettingField* field : differing) {
        out_ << "The unit did not take " << field->key << " = " << wanted.*field->value
             << "; it holds " << (*now).*field->value << ".\n";
    }
    if (differing.empty()) {
        out_ << "Read back: the unit holds every setting of the file.\n";
    }
    return differing.empty();
}
