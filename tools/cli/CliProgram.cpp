#include "CliProgram.h"

#include <ctime>
#include <iomanip>

#include "HandOverTexts.h"
#include "IoLines.h"
#include "LiveCommands.h"
#include "PortDoctor.h"
#include "SettingsFile.h"
#include "SettingsLoader.h"
#include "Thread_Read.h"
#include "ValueTexts.h"

namespace {

constexpr int LabelWidth = 26;

std::string PortName(uint32_t port) {
    return "COM" + std::to_string(port);
}

std::string Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

}  // namespace

int CliProgram::Run(const CliArguments& arguments) {
    switch (arguments.command) {
        case CliArguments::Command::Help:
            out_ << CliArguments::Usage();
            return ExitDone;
        case CliArguments::Command::Find:
            return Find();
        case CliArguments::Command::Show:
            return Show(arguments.port);
        case CliArguments::Command::Save:
            return Save(arguments.file, arguments.port);
        case CliArguments::Command::Load:
            return Load(arguments);
        case CliArguments::Command::Doctor:
            return Doctor();
        case CliArguments::Command::Watch:
            return LiveCommands(out_, toTerminal_).Watch(arguments);
        case CliArguments::Command::Record:
            return LiveCommands(out_, toTerminal_).Record(arguments);
        case CliArguments::Command::Plot:
            return Plot(arguments);
        case CliArguments::Command::Diff:
            return Diff(arguments);
    }
    return ExitUsage;
}

bool CliProgram::Connect(UnitConnection& unit, std::optional<uint32_t> port) {
    if (port) {
        const auto result = unit.Open(*port);
        if (result != UnitConnection::OpenResult::Identified) {
            ExplainPort(*port, result);
            return false;
        }
        return true;
    }
    if (!unit.Find()) {
        out_ << "No unit answered on COM" << Thread_Read::FirstPort << " to COM"
             << Thread_Read::LastPort << ".\n";
        ExplainSearch();
        return false;
    }
    return true;
}

void CliProgram::ExplainPort(uint32_t port, UnitConnection::OpenResult result) {
    PortDoctor::NodeReport report = PortDoctor::Examine(port, false);
    out_ << "No unit on " << PortName(port) << " (" << report.path << ").\n";
    if (result == UnitConnection::OpenResult::NotOpened) {
        for (const std::string& sentence : PortDoctor::Describe(report)) {
            out_ << "  " << sentence << "\n";
        }
        return;
    }
    report.answer = result == UnitConnection::OpenResult::NoAnswer
                        ? PortDoctor::Answer::NoAnswer
                        : PortDoctor::Answer::OtherDevice;
    out_ << "  " << PortDoctor::Describe(report).back() << "\n";
}

void CliProgram::ExplainSearch() {
    for (const uint32_t port : PortDoctor::CandidatePorts()) {
        const PortDoctor::NodeReport report = PortDoctor::Examine(port, false);
        if (report.exists && report.mayOpen && !report.heldByOther) {
            continue;
        }
        out_ << PortName(port) << " (" << report.path << "):\n";
        for (const std::string& sentence : PortDoctor::Describe(report)) {
            out_ << "  " << sentence << "\n";
        }
    }
    out_ << "Run \"kalvio-cli doctor\" for a full check of every port.\n";
}

int CliProgram::Find() {
    UnitConnection unit;
    if (!Connect(unit, std::nullopt)) {
        return ExitFailed;
    }
    const auto firmware = unit.Ask("VERSION.SW");
    out_ << "Port:     " << PortName(unit.PortNumber()) << "\n"
         << "Device:   " << unit.DeviceText() << "\n"
         << "Firmware: " << firmware.value_or("?") << "\n";
    return ExitDone;
}

std::optional<UnitSettings> CliProgram::ConnectAndReadSettings(UnitConnection& unit,
                                                               std::optional<uint32_t> port,
                                                               const char* consequence) {
    if (!Connect(unit, port)) {
        return std::nullopt;
    }
    std::string failedQuery;
    auto settings = unit.ReadSettings(failedQuery);
    if (!settings) {
        out_ << "The unit on " << PortName(unit.PortNumber()) << " gave no usable answer to "
             << failedQuery << consequence << ".\n";
    }
    return settings;
}

int CliProgram::Show(std::optional<uint32_t> port) {
    UnitConnection unit;
    const auto settings = ConnectAndReadSettings(unit, port, "");
    if (!settings) {
        return ExitFailed;
    }
    out_ << "Unit " << unit.DeviceText() << " on " << PortName(unit.PortNumber()) << "\n"
         << "Settings:\n";
    for (const SettingField& field : SettingFields) {
        out_ << "  " << std::left << std::setw(LabelWidth) << field.key
             << SettingValueText(field, (*settings).*field.value) << "\n";
    }
    PrintLiveValues(unit);
    return ExitDone;
}

void CliProgram::PrintLiveValues(UnitConnection& unit) {
    const UnitConnection::LiveValues live = unit.ReadLiveValues();
    auto row = [this](const std::string& label, const std::string& value) {
        out_ << "  " << std::left << std::setw(LabelWidth) << label << value << "\n";
    };
    out_ << "Live values:\n";
    row("input speed", live.speeds ? std::to_string(live.speeds->inputMmPerS) + " mm/s" : "?");
    row("output speed", live.speeds ? std::to_string(live.speeds->outputMmPerS) + " mm/s" : "?");
    if (!live.io) {
        row("lines", "?");
        return;
    }
    for (const io_lines::LineState& line : io_lines::DecodeLines(*live.io, unit.DeviceType())) {
        row(line.name, line.set ? "1" : "0");
    }
    if (unit.DeviceType() == DeviceStateRecord::TypeOrvatronic) {
        const io_lines::RotarySwitch rotary = io_lines::DecodeSwitch(live.io->word1);
        row("rotary switch", SwitchText(rotary));
    }
}

int CliProgram::Save(const std::string& file, std::optional<uint32_t> port) {
    UnitConnection unit;
    const auto settings = ConnectAndReadSettings(unit, port, "; nothing was written");
    if (!settings) {
        return ExitFailed;
    }
    const SettingsFile::Origin origin{unit.DeviceText(), unit.Ask("VERSION.SW").value_or("?"),
                                      Today()};
    std::string problem;
    if (!SettingsFile::WriteWhole(file, SettingsFile::Format(*settings, origin), problem)) {
        out_ << "Could not write " << file << ": " << problem << ".\n";
        return ExitFailed;
    }
    out_ << "Saved the settings of the unit on " << PortName(unit.PortNumber()) << " to " << file
         << ".\n";
    return ExitDone;
}

std::optional<UnitSettings> CliProgram::ReadSettingsFile(const std::string& file,
                                                         const char* consequence) {
    std::string text;
    std::string problem;
    if (!SettingsFile::Read(file, text, problem)) {
        out_ << "Could not read " << file << ": " << problem << "." << consequence << "\n";
        return std::nullopt;
    }
    const SettingsFile::Parsed parsed = SettingsFile::Parse(text);
    if (!parsed.settings) {
        out_ << file;
        if (parsed.line > 0) {
            out_ << ", line " << parsed.line;
        }
        out_ << ": " << parsed.problem << "." << consequence << "\n";
    }
    return parsed.settings;
}

int CliProgram::Load(const CliArguments& arguments) {
    const auto settings = ReadSettingsFile(arguments.file, " Nothing was sent.");
    if (!settings) {
        return ExitFailed;
    }
    UnitConnection unit;
    if (!Connect(unit, arguments.port)) {
        return ExitFailed;
    }
    out_ << "Loading " << arguments.file << " into the unit on " << PortName(unit.PortNumber())
         << ":\n";
    return SettingsLoader(unit, out_).Load(*settings, arguments.dryRun) ? ExitDone : ExitFailed;
}

int CliProgram::Doctor() {
    bool unitFound = false;
    const std::vector<uint32_t> ports = PortDoctor::CandidatePorts();
    if (ports.empty()) {
        out_ << "No serial port and no USB serial adapter is there. Plug the unit's adapter in; "
                "\"sudo dmesg | tail\" shows whether the system saw it.\n";
    }
    for (const uint32_t port : ports) {
        const PortDoctor::NodeReport report = PortDoctor::Examine(port, true);
        unitFound = unitFound || report.answer == PortDoctor::Answer::Unit;
        out_ << PortName(port) << " (" << report.path << "):\n";
        for (const std::string& sentence : PortDoctor::Describe(report)) {
            out_ << "  " << sentence << "\n";
        }
    }
    for (const PortDoctor::Grabber& grabber : PortDoctor::RunningAdapterGrabbers()) {
        out_ << grabber.process.name << " is running (process " << grabber.process.pid
             << "); it may take a newly plugged adapter before Kalvio can. Fix: " << grabber.fix
             << "\n";
    }
    out_ << (unitFound ? "A unit was found.\n" : "No unit was found.\n");
    return unitFound ? ExitDone : ExitFailed;
}

int CliProgram::Diff(const CliArguments& arguments) {
    const auto saved = ReadSettingsFile(arguments.file, "");
    if (!saved) {
        return ExitFailed;
    }
    UnitConnection unit;
    const auto current = ConnectAndReadSettings(unit, arguments.port, "");
    if (!current) {
        return ExitFailed;
    }
    const std::vector<const SettingField*> differing = DifferingFields(*current, *saved);
    for (const SettingField* field : differing) {
        out_ << field->key << ": unit " << SettingValueText(*field, (*current).*field->value)
             << ", file " << SettingValueText(*field, (*saved).*field->value) << "\n";
    }
    if (differing.empty()) {
        out_ << "The unit on " << PortName(unit.PortNumber()) << " has the settings of "
             << arguments.file << ".\n";
        return ExitDone;
    }
    return ExitFailed;
}

int CliProgram::Plot(const CliArguments& arguments) {
    if (plot_ == nullptr) {
        out_ << "This kalvio-cli was built without the picture library; plot is not there.\n";
        return ExitFailed;
    }
    return plot_(arguments, out_);
}
