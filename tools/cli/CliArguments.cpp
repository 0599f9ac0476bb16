#include "CliArguments.h"

#include "PortNamespace.h"
#include "Thread_Read.h"

namespace {

struct CommandWord {
    const char* word;
    CliArguments::Command command;
    bool takesFile;
    bool takesPort;
    bool takesDryRun;
};

constexpr CommandWord CommandWords[] = {
    {"help", CliArguments::Command::Help, false, false, false},
    {"--help", CliArguments::Command::Help, false, false, false},
    {"find", CliArguments::Command::Find, false, false, false},
    {"show", CliArguments::Command::Show, false, true, false},
    {"save", CliArguments::Command::Save, true, true, false},
    {"load", CliArguments::Command::Load, true, true, true},
    {"doctor", CliArguments::Command::Doctor, false, false, false},
};

const CommandWord* FindCommand(const std::string& word) {
    for (const CommandWord& entry : CommandWords) {
        if (word == entry.word) {
            return &entry;
        }
    }
    return nullptr;
}

ParsedCommandLine Refuse(std::string problem) {
    return {std::nullopt, std::move(problem)};
}

}  // namespace

ParsedCommandLine CliArguments::Parse(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        return Refuse("no command given");
    }
    const CommandWord* entry = FindCommand(arguments[0]);
    if (entry == nullptr) {
        return Refuse("unknown command \"" + arguments[0] + "\"");
    }
    CliArguments parsed;
    parsed.command = entry->command;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--port" && entry->takesPort) {
            if (parsed.port || i + 1 == arguments.size()) {
                return Refuse("--port wants one port name, such as COM5");
            }
            parsed.port = port_namespace::ParsePortName(arguments[++i]);
            if (!parsed.port || *parsed.port > Thread_Read::LastPort) {
                return Refuse("\"" + arguments[i] + "\" is not a port name from COM1 to COM" +
                              std::to_string(Thread_Read::LastPort));
            }
        } else if (argument == "--dry-run" && entry->takesDryRun && !parsed.dryRun) {
            parsed.dryRun = true;
        } else if (entry->takesFile && parsed.file.empty() && !argument.empty() &&
                   argument[0] != '-') {
            parsed.file = argument;
        } else {
            return Refuse("\"" + argument + "\" is not understood after " + entry->word);
        }
    }
    if (entry->takesFile && parsed.file.empty()) {
        return Refuse(std::string(entry->word) + " wants a file name");
    }
    return {parsed, {}};
}

std::string CliArguments::Usage() {
    return "Usage:\n"
           "  kalvio-cli find                       find the unit on COM1 to COM256\n"
           "  kalvio-cli show [--port COMn]         print the unit's settings and live values\n"
           "  kalvio-cli save FILE [--port COMn]    write the unit's settings to FILE\n"
           "  kalvio-cli load FILE [--port COMn] [--dry-run]\n"
           "                                        check FILE, send it to the unit, read back\n"
           "  kalvio-cli doctor                     tell why a unit is not found\n"
           "Exit status: 0 done, 1 failed (the reason is printed), 2 wrong command line.\n"
           "KALVIO_DOSDEVICES=FOLDER looks up COMn as FOLDER/COMn instead of /dev.\n";
}
