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

    explicit CliProgram(std::ostream& out) : out_(out) {}

    int Run(const CliArguments& arguments);

  private:
    int Find();
    int Show(std::optional<uint32_t> port);
    int Save(const std::string& file, std::optional<uint32_t> port);
    int Load(const CliArguments& arguments);
    int Doctor();

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
};
