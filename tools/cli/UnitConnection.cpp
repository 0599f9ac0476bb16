#include "UnitConnection.h"

#include <chrono>
#include <thread>

#include "CommandProtocol.h"
#include "Deadline.h"
#include "Thread_Read.h"
#include "Thread_Write.h"
#include "UnitCommands.h"
#include "UnitSettingTable.h"

namespace {

constexpr int RetryPauseMs = 100;

}  // namespace

UnitConnection::~UnitConnection() {
    Close();
}

void UnitConnection::Close() {
    std::lock_guard<TurnLock> hold(PortLock);
    ComPort_Close(handle_);
    handle_ = InvalidPortHandle;
}

bool UnitConnection::Find() {
    for (uint32_t port = Thread_Read::FirstPort; port <= Thread_Read::LastPort; ++port) {
        if (Open(port) == OpenResult::Identified) {
            return true;
        }
    }
    return false;
}

UnitConnection::OpenResult UnitConnection::Open(uint32_t portNumber) {
    Close();
    std::lock_guard<TurnLock> hold(PortLock);
    handle_ = ComPort_Open(portNumber);
    if (handle_ == InvalidPortHandle) {
        return OpenResult::NotOpened;
    }
    const OpenResult result = Identify(portNumber);
    if (result != OpenResult::Identified) {
        ComPort_Close(handle_);
        handle_ = InvalidPortHandle;
    }
    return result;
}

UnitConnection::OpenResult UnitConnection::Identify(uint32_t portNumber) {
    if (ComPort_Configure(handle_, Thread_Read::BaudRate) != 0) {
        return OpenResult::NotOpened;
    }
    ReplyBuffer reply{};
    if (ComPort_Transact(handle_, unit_commands::Device, reply, TransactionTimeoutMs) != 0) {
        return OpenResult::NoAnswer;
    }
    const auto type = reply_parser::IdentifyDeviceType(reply.data());
    if (!type) {
        return OpenResult::OtherDevice;
    }
    portNumber_ = portNumber;
    deviceType_ = *type;
    deviceText_ = reply.data();
    return OpenResult::Identified;
}

std::optional<std::string> UnitConnection::Ask(const std::string& command) {
    if (command.size() >= Thread_Write::CommandBufferBytes) {
        return std::nullopt;  // no sender cuts a command short
    }
    ReplyBuffer reply{};
    std::lock_guard<TurnLock> hold(PortLock);
    if (ComPort_Transact(handle_, command.c_str(), reply, TransactionTimeoutMs) != 0) {
        return std::nullopt;
    }
    return std::string(reply.data());
}

std::optional<std::string> UnitConnection::Reset() {
    ReplyBuffer reply{};
    std::lock_guard<TurnLock> hold(PortLock);
    const int result =
        ComPort_Transact(handle_, unit_commands::Restart, reply, TransactionTimeoutMs);
    std::this_thread::sleep_for(std::chrono::milliseconds(Thread_Write::ResetHoldMs));
    if (result != 0) {
        return std::nullopt;
    }
    return std::string(reply.data());
}

bool UnitConnection::WaitForAnswer(uint32_t waitMs) {
    const Deadline deadline(waitMs);
    for (;;) {
        const auto reply = Ask(unit_commands::Device);
        if (reply && reply_parser::IdentifyDeviceType(reply->c_str())) {
            return true;
        }
        if (deadline.passed()) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(RetryPauseMs));
    }
}

std::optional<UnitSettings> UnitConnection::ReadSettings(std::string& failedQuery) {
    // The parsed value, or nothing (and the query named) when the reply is missing or unusable.
    auto read = [this, &failedQuery](const char* command, auto parse) {
        const auto reply = Ask(command);
        auto value = reply ? parse(reply->c_str()) : decltype(parse(""))();
        if (!value) {
            failedQuery = command;
        }
        return value;
    };
    const auto startMode = read(unit_settings::StartMode.command, reply_parser::ParseStartMode);
    const auto times = startMode ? read(unit_settings::StartGeneratorHigh.command,
                                        reply_parser::ParseStartGenerator)
                                 : std::nullopt;
    const auto delay =
        times ? read(unit_settings::StartDelay.command, reply_parser::ParseUnsigned) : std::nullopt;
    const auto shift =
        delay ? read(unit_settings::StartShift.command, reply_parser::ParseUnsigned) : std::nullopt;
    const auto speedMode =
        shift ? read(unit_settings::SpeedMode.command, reply_parser::ParseSpeedMode) : std::nullopt;
    const auto generator =
        speedMode ? read(unit_settings::SpeedGenerator.command, reply_parser::ParseSigned)
                  : std::nullopt;
    const auto factor = generator
                            ? read(unit_settings::SpeedFactor.command, reply_parser::ParseSigned)
                            : std::nullopt;
    if (!factor) {
        return std::nullopt;
    }
    UnitSettings settings;
    settings.StartModus = static_cast<int32_t>(*startMode);
    settings.StartGeneratorOn = static_cast<int32_t>(times->highMs);
    settings.StartGeneratorOff = static_cast<int32_t>(times->lowMs);
    settings.StartDelayMS = static_cast<int32_t>(*delay);
    settings.StartDelayMM = static_cast<int32_t>(*shift);
    settings.SpeedModus = static_cast<int32_t>(*speedMode);
    settings.SpeedGenerator = *generator;
    settings.SpeedFaktor = *factor;
    return settings;
}

UnitConnection::LiveValues UnitConnection::ReadLiveValues() {
    LiveValues values;
    if (const auto speeds = Ask(unit_commands::Speeds)) {
        values.speeds = reply_parser::ParseSpeedSpeed(speeds->c_str());
    }
    if (const auto io = Ask(unit_commands::InputOutput)) {
        values.io = reply_parser::ParseIo(io->c_str());
    }
    return values;
}
