// The command-line program's line to the unit: finds it the way the reader thread does
// (COM1 to COM256, identified by "VERSION.HW"), or opens a named port, and runs each
// transaction under PortLock. The port is opened exclusively like the tool does, so while the
// window program holds the unit this program cannot open it, and the other way round.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ComPort.h"
#include "ReplyParser.h"
#include "UnitSettings.h"

class UnitConnection {
  public:
    enum class OpenResult {
        Identified,   // a unit answered; the port stays open
        NotOpened,    // missing, not a serial device, or held by another program
        NoAnswer,     // opened, but nothing answered "VERSION.HW"
        OtherDevice,  // something answered, but not a known unit
    };

    struct LiveValues {
        std::optional<reply_parser::SpeedValues> speeds;
        std::optional<reply_parser::IoWords> io;
    };

    UnitConnection() = default;
    ~UnitConnection();
    UnitConnection(const UnitConnection&) = delete;
    UnitConnection& operator=(const UnitConnection&) = delete;

    // The connection search, once: true when a unit answered on some port.
    bool Find();
    OpenResult Open(uint32_t portNumber);
    void Close();

    uint32_t PortNumber() const { return portNumber_; }
    const std::string& DeviceType() const { return deviceType_; }
    const std::string& DeviceText() const { return deviceText_; }

    // The reply payload, or nothing when the transaction failed (the link is lost).
    std::optional<std::string> Ask(const std::string& command);
    // Asks "VERSION.HW" until the unit answers or `waitMs` has passed: after "RESET" the unit
    // is silent while it restarts.
    bool WaitForAnswer(uint32_t waitMs);
    // "RESET", then PortLock is kept for the writer thread's hold time, as the tool does.
    std::optional<std::string> Reset();

    // Every setting, or nothing with the query that gave no usable reply.
    std::optional<UnitSettings> ReadSettings(std::string& failedQuery);
    LiveValues ReadLiveValues();

  private:
    OpenResult Identify(uint32_t portNumber);

    PortHandleValue handle_ = InvalidPortHandle;
    uint32_t portNumber_ = 0;
    std::string deviceType_;
    std::string deviceText_;
};
