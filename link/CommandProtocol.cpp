#include "CommandProtocol.h"

#include <cstdio>
#include <cstring>

#include "SerialDevice.h"

std::mutex PortLock;

namespace {

constexpr std::size_t FrameBufferBytes = 2000;
constexpr std::size_t MaxPayloadBytes = ReplyBuffer().size() - 1;

// A reply too long for the buffer is read to its ETX and dropped, so that none of it is left
// to be taken for the next reply.
void DropRestOfFrame(PortHandleValue handle, uint32_t timeoutMs) {
    uint8_t byte = 0;
    while (ComPort_ReadByte(handle, &byte, timeoutMs) == 1 && byte != Etx) {
    }
}

}  // namespace

int ComPort_ReadReply(PortHandleValue handle, ReplyBuffer& reply, uint32_t timeoutMs) {
    reply[0] = '\0';
    uint8_t byte = 0;
    do {
        if (ComPort_ReadByte(handle, &byte, timeoutMs) != 1) {
            return -1;
        }
    } while (byte != Stx);

    std::size_t length = 0;
    for (;;) {
        if (ComPort_ReadByte(handle, &byte, timeoutMs) != 1) {
            reply[length] = '\0';
            return -2;
        }
        if (byte == Etx) {
            reply[length] = '\0';
            return 0;
        }
        if (length == MaxPayloadBytes) {
            reply[length] = '\0';
            DropRestOfFrame(handle, timeoutMs);
            return -2;
        }
        reply[length++] = static_cast<char>(byte);
    }
}

int ComPort_Transact(PortHandleValue handle, const char* command, ReplyBuffer& reply,
                     uint32_t timeoutMs) {
    serial_device::Purge(handle);
    char frame[FrameBufferBytes];
    const int frameLength = std::snprintf(frame, sizeof frame, "%s\r", command);
    int result = 0;
    if (frameLength < 0 || static_cast<std::size_t>(frameLength) >= sizeof frame) {
        result = -1;  // never send a command cut short
    } else if (ComPort_WriteBlock(handle, reinterpret_cast<const uint8_t*>(frame),
                                  static_cast<uint32_t>(frameLength), timeoutMs) != frameLength) {
        result = -1;
    } else if (ComPort_ReadReply(handle, reply, timeoutMs) != 0) {
        result = -2;
    }
    serial_device::Purge(handle);
    return result;
}
