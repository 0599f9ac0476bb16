#include "CliArguments.h"

#include "PortNamespace.h"
#include "Quantities.h"
#include "Thread_Read.h"

namespace {

// The options a command takes beside --port.
enum Takes : unsigned {
    NoOptions = 0,
    DryRun = 1,
    RecordOptions = 2,  // --for, --max-size
    PlotOptions = 4,    // --from, --to, --out
};

struct CommandWord {
    const char* word;
    CliArguments::Command command;
    bool takesFile;
    bool takesPort;
    unsigned takes;
};

constexpr CommandWord CommandWords[] = {
    {"help", CliArguments::Command::Help, false, false, NoOptions},
    {"--help", CliArguments::Command::Help, false, false, NoOptions},
    {"find", CliArguments::Command::Find, false, false, NoOptions},
    {"show", CliArguments::Command::Show, false, true, NoOptions},
    {"save", CliArguments::Command::Save, true, true, NoOptions},
    {"load", CliArguments::Command::Load, true, true, DryRun},
    {"doctor", CliArguments::Command::Doctor, false, false, NoOptions},
    {"watch", CliArguments::Command::Watch, false, true, NoOptions},
    {"record", CliArguments::Command::Record, true, true, RecordOptions},
    {"plot", CliArguments::Command::Plot, true, false, PlotOptions},
    {"diff", CliArguments::Command::Diff, true, true, NoOptions},
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

bool EndsWith(const std::string& text, const char* end) {
    const std::string tail = end;
    return text.size() > tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The value after an option, or a sentence saying what the option wants.
struct OptionValue {
    std::optional<std::string> text;
    std::string problem;
};

// Reads the value of the option at `i` (moving past it) unless it was given before.
OptionValue TakeValue(const std::vector<std::string>& arguments, std::size_t& i, bool given,
                      const char* wants) {
    if (given || i + 1 == arguments.size()) {
        return {std::nullopt, arguments[i] + " wants " + wants};
    }
    return {arguments[++i], {}};
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
        const bool recordOption = (entry->takes & RecordOptions) != 0;
        const bool plotOption = (entry->takes & PlotOptions) != 0;
        if (argument == "--port" && entry->takesPort) {
            if (parsed.port || i + 1 == arguments.size()) {
                return Refuse("--port wants one port name, such as COM5");
            }
            parsed.port = port_namespace::ParsePortName(arguments[++i]);
            if (!parsed.port || *parsed.port > Thread_Read::LastPort) {
                return Refuse("\"" + arguments[i] + "\" is not a port name from COM1 to COM" +
                              std::to_string(Thread_Read::LastPort));
            }
        } else if (argument == "--dry-run" && (entry->takes & DryRun) != 0 && !parsed.dryRun) {
            parsed.dryRun = true;
        } else if (argument == "--for" && recordOption) {
            const OptionValue value =
                TakeValue(arguments, i, parsed.recordFor.has_value(), "one duration, such as 8h");
            parsed.recordFor = value.text ? quantities::ParseDuration(*value.text) : std::nullopt;
            if (!parsed.recordFor) {
                return Refuse(value.text ? "\"" + *value.text +
                                               "\" is not a duration such as 90s, 15m, 8h or 2d"
                                         : value.problem);
            }
        } else if (argument == "--max-size" && recordOption) {
            const OptionValue value =
                TakeValue(arguments, i, parsed.maxSize != 0, "one size, such as 10M");
            const auto size = value.text ? quantities::ParseSize(*value.text) : std::nullopt;
            if (!size || *size < SmallestMaxSize) {
                return Refuse(value.text ? "\"" + *value.text +
                                               "\" is not a size from 4K up, such as 64K or 10M"
                                         : value.problem);
            }
            parsed.maxSize = *size;
        } else if ((argument == "--from" || argument == "--to") && plotOption) {
            std::string& time = argument == "--from" ? parsed.from : parsed.to;
            const OptionValue value =
                TakeValue(arguments, i, !time.empty(), "one time, such as 2026-12-09T07:30");
            if (!value.text || value.text->empty()) {
                return Refuse(argument + " wants one time, such as 2026-12-09T07:30");
            }
            time = *value.text;
        } else if (argument == "--out" && plotOption) {
            const OptionValue value =
                TakeValue(arguments, i, !parsed.out.empty(), "a picture file, .png or .svg");
            if (!value.text || !(EndsWith(*value.text, ".png") || EndsWith(*value.text, ".svg"))) {
                return Refuse("--out wants a picture file ending in .png or .svg");
            }
            parsed.out = *value.text;
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
    if ((entry->takes & PlotOptions) != 0 && parsed.out.empty()) {
        return Refuse("plot wants --out PICTURE.png or --out PICTURE.svg");
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
           "  kalvio-cli watch [--port COMn]        the unit's state live, until Ctrl+C\n"
           "  kalvio-cli record FILE [--port COMn] [--for DURATION] [--max-size SIZE]\n"
           "                                        append a line to FILE at each change\n"
           "  kalvio-cli plot FILE [--from T] [--to T] --out PICTURE.png|.svg\n"
           "                                        draw a recording\n"
           "  kalvio-cli diff FILE [--port COMn]    the unit's settings against FILE\n"
           "Exit status: 0 done, 1 failed (the reason is printed), 2 wrong command line;\n"
           "diff: 0 equal, 1 different or failed.\n"
           "KALVIO_DOSDEVICES=FOLDER looks up COMn as FOLDER/COMn instead of /dev.\n";
}
