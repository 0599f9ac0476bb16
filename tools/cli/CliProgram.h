// kalvio-cli's commands: each prints what it found or did in plain sentences and returns the
// exit status. The unit is reached only through UnitConnection, under PortLock.
#pragma once

#include <optional>
#include <ostream>

#include "CliArguments.h"
#include "UnitConnection.h"

class CliProgram {
  public:
    static constexpr int ExitDone = 0;
    static constexpr int ExitFailed = 1;
    static constexpr int ExitUsage = 2;

    // A command that draws a recording; it lives apart, where the picture library is.
    using PlotCommand = int (*)(const CliArguments& arguments, std::ostream& out);

    // toTerminal: the output is a terminal, so "watch" redraws in place. plot may be null in a
    // build without the picture library.
    explicit CliProgram(std::ostream& out, bool toTerminal = false, PlotCommand plot = nullptr)
        : out_(out), toTerminal_(toTerminal), plot_(plot) {}

    int Run(const CliArguments& arguments);

  private:
    int Find();
    int Show(std::optional<uint32_t> port);
    int Save(const std::string& file, std::optional<uint32_t> port);
    int Load(const CliArguments& arguments);
    int Doctor();
    int Diff(const CliArguments& arguments);
    int Plot(const CliArguments& arguments);

    // Reads and checks a settings file; says what is wrong and what follows (`consequence`).
    std::optional<UnitSettings> ReadSettingsFile(const std::string& file, const char* consequence);

    // Opens the named port, or searches; says why not when no unit answered.
    bool Connect(UnitConnection& unit, std::optional<uint32_t> port);
    // Connects and reads the settings; on failure says which query failed, then what follows
    // from it (`consequence`, may be empty).
    std::optional<UnitSettings> ConnectAndReadSettings(UnitConnection& unit,
                                                       std::optional<uint32_t> port,
                                                       const char* consequence);
    void ExplainPort(uint32_t port, UnitConnection::OpenResult result);
    // After a search found nothing: ports that another program holds or this user may not open.
    void ExplainSearch();
    void PrintLiveValues(UnitConnection& unit);

    std::ostream& out_;
    const bool toTerminal_;
    const PlotCommand plot_;
};
