#include "ComPort.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "Deadline.h"
#include "SerialDevice.h"

PortHandleValue PortHandle = InvalidPortHandle;

namespace {

constexpr uint32_t QueueBytes = 2048;
constexpr uint32_t StandingTimeoutMs = 1000;

PortTimeouts PerCallTimeouts(uint32_t timeoutMs) {
    return PortTimeouts{0, timeoutMs, 0, 0, timeoutMs};
}

// The unit's line: 8N1, XON/XOFF both ways with DC1/DC3, no hardware handshake, DTR and RTS
// held inactive.
void ApplyUnitLineSettings(LineSettings& settings, int32_t baudRate) {
    settings.baudRate = baudRate;
    settings.binary = true;
    settings.parityCheck = false;
    settings.ctsOutputFlow = false;
    settings.dsrOutputFlow = false;
    settings.dtrControl = LineControl::Disabled;
    settings.dsrSensitivity = false;
    settings.transmitContinuesAfterXoff = true;
    settings.xonXoffOutput = true;
    settings.xonXoffInput = true;
    settings.errorReplacement = false;
    settings.nulStripping = false;
    settings.rtsControl = LineControl::Disabled;
    settings.abortOnError = false;
    settings.xonLimit = 0;
    settings.xoffLimit = 1024;
    settings.dataBits = 8;
    settings.parity = Parity::None;
    settings.stopBits = StopBits::One;
    settings.xonChar = 0x11;
    settings.xoffChar = 0x13;
    settings.errorChar = 0;
    settings.eofChar = 0;
    settings.eventChar = 0;
}

// Only the first string of the target counts, and only these exact spellings.
bool IsSerialTarget(const std::string& target) {
    const char* first = target.c_str();
    return std::strstr(first, "Serial") != nullptr || std::strstr(first, "VCP") != nullptr;
}

}  // namespace

void ComPort_FormatOpenName(uint32_t portNumber, char (&name)[100]) {
    std::snprintf(name, sizeof name, portNumber <= 9 ? "COM%u" : "\\\\.\\COM%u", portNumber);
}

PortHandleValue ComPort_Open(uint32_t portNumber) {
    char portName[100];
    std::snprintf(portName, sizeof portName, "COM%u", portNumber);
    std::string target;
    if (!serial_device::QueryTarget(portName, target) || !IsSerialTarget(target)) {
        return InvalidPortHandle;
    }
    char openName[100];
    ComPort_FormatOpenName(portNumber, openName);
    const int fd = serial_device::OpenExclusive(openName);
    if (fd < 0) {
        return InvalidPortHandle;
    }
    serial_device::Purge(fd);
    return fd;
}

int ComPort_Configure(PortHandleValue handle, int32_t baudRate) {
    if (!serial_device::SetQueueSizes(handle, QueueBytes, QueueBytes)) {
        return -1;
    }
    if (!serial_device::SetTimeouts(handle,
                                    PortTimeouts{0, StandingTimeoutMs, 0, 0, StandingTimeoutMs})) {
        return -2;
    }
    LineSettings settings;
    if (!serial_device::GetLineSettings(handle, settings)) {
        return -3;
    }
    ApplyUnitLineSettings(settings, baudRate);
    if (!serial_device::SetLineSettings(handle, settings)) {
        return -4;
    }
    if (!serial_device::ClearLineErrors(handle)) {
        return -5;
    }
    return 0;
}

int ComPort_Close(PortHandleValue handle) {
    if (handle == InvalidPortHandle) {
        return 0;
    }
    // A later call must not reach a descriptor number that the system may hand out again:
    // the handle is given up whatever the close reports.
    if (PortHandle == handle) {
        PortHandle = InvalidPortHandle;
    }
    return serial_device::Close(handle) ? 0 : -1;
}

int ComPort_ReadByte(PortHandleValue handle, uint8_t* byte, uint32_t timeoutMs) {
    if (!serial_device::ClearLineErrors(handle)) {
        return -1;
    }
    if (!serial_device::SetTimeouts(handle, PerCallTimeouts(timeoutMs))) {
        return -2;
    }
    std::size_t transferred = 0;
    if (!serial_device::Read(handle, byte, 1, &transferred)) {
        return -3;
    }
    return transferred == 1 ? 1 : -4;
}

int ComPort_WriteBlock(PortHandleValue handle, const uint8_t* bytes, uint32_t length,
                       uint32_t timeoutMs) {
    if (length == 0) {
        return 0;
    }
    if (!serial_device::ClearLineErrors(handle)) {
        serial_device::Flush(handle);
        return -1;
    }
    if (!serial_device::SetTimeouts(handle, PerCallTimeouts(timeoutMs))) {
        serial_device::Flush(handle);
        return -2;
    }
    const uint32_t start = TickMilliseconds();
    uint32_t written = 0;
    int result = 0;
    while (result == 0) {
        std::size_t transferred = 0;
        if (!serial_device::Write(handle, bytes + written, length - written, &transferred)) {
            result = -3;
        } else if (written + transferred == length) {
            result = static_cast<int>(length);
        } else if (transferred == 0) {
            if (TickMilliseconds() - start > timeoutMs) {
                result = -4;
            }
        } else {
            written += static_cast<uint32_t>(transferred);
            serial_device::Flush(handle);
        }
    }
    // A UART's driver queues the whole block at once, even while the unit holds XOFF: the
    // block is written only once it has left that queue within the time-out.
    if (!serial_device::Flush(handle) && result > 0) {
        result = -4;
    }
    return result;
}
