#include "CommandProtocol.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "Deadline.h"
#include "SerialDevice.h"

TurnLock PortLock;

namespace {

constexpr std::size_t FrameBufferBytes = 2000;
constexpr std::size_t MaxPayloadBytes = ReplyBuffer().size() - 1;

// A device that never stops sending (a GPS or a console on the wrong port) must not keep a
// reply, and PortLock with it, going for ever. A whole reply may take ten per-byte time-outs
// and twice the bytes of the longest frame (STX, payload, ETX), noise before the STX included.
constexpr uint64_t ReplyTimeoutFactor = 10;
constexpr std::size_t ReplyByteBudget = 2 * (MaxPayloadBytes + 2);

uint32_t WholeReplyMs(uint32_t timeoutMs) {
    const uint64_t whole = ReplyTimeoutFactor * timeoutMs;
    return whole > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(whole);
}

// What one reply has left; looked at before every byte.
struct ReplyLimits {
    Deadline deadline;
    std::size_t bytesLeft;
    const std::atomic<bool>* abandon;
};

// Reads the next byte of a reply within its per-byte time-out, cut to what the whole reply has
// left. False when no byte came, the reply has used up its limits, or it was abandoned.
bool ReadReplyByte(PortHandleValue handle, uint8_t& byte, uint32_t timeoutMs, ReplyLimits& limits) {
    if (limits.bytesLeft == 0 || limits.deadline.passed() ||
        (limits.abandon != nullptr && limits.abandon->load())) {
        return false;
    }
    --limits.bytesLeft;
    const auto leftMs = static_cast<uint32_t>(limits.deadline.remainingMs());
    return ComPort_ReadByte(handle, &byte, std::min(timeoutMs, leftMs)) == 1;
}

// A reply too long for the buffer is read to its ETX and dropped, so that none of it is left
// to be taken for the next reply.
void DropRestOfFrame(PortHandleValue handle, uint32_t timeoutMs, ReplyLimits& limits) {
    uint8_t byte = 0;
    while (ReadReplyByte(handle, byte, timeoutMs, limits) && byte != Etx) {
    }
}

}  // namespace

int ComPort_ReadReply(PortHandleValue handle, ReplyBuffer& reply, uint32_t timeoutMs,
                      const std::atomic<bool>* abandon) {
    reply[0] = '\0';
    ReplyLimits limits{Deadline(WholeReplyMs(timeoutMs)), ReplyByteBudget, abandon};
    uint8_t byte = 0;
    do {
        if (!ReadReplyByte(handle, byte, timeoutMs, limits)) {
            return -1;
        }
    } while (byte != Stx);

    std::size_t length = 0;
    for (;;) {
        if (!ReadReplyByte(handle, byte, timeoutMs, limits)) {
            reply[length] = '\0';
            return -2;
        }
        if (byte == Etx) {
            reply[length] = '\0';
            return 0;
        }
        if (length == MaxPayloadBytes) {
            reply[length] = '\0';
            DropRestOfFrame(handle, timeoutMs, limits);
            return -2;
        }
        reply[length++] = static_cast<char>(byte);
    }
}

int ComPort_Transact(PortHandleValue handle, const char* command, ReplyBuffer& reply,
                     uint32_t timeoutMs, const std::atomic<bool>* abandon) {
    serial_device::Purge(handle);
    char frame[FrameBufferBytes];
    const int frameLength = std::snprintf(frame, sizeof frame, "%s\r", command);
    int result = 0;
    if (frameLength < 0 || static_cast<std::size_t>(frameLength) >= sizeof frame) {
        result = -1;  // never send a command cut short
    } else if (ComPort_WriteBlock(handle, reinterpret_cast<const uint8_t*>(frame),
                                  static_cast<uint32_t>(frameLength), timeoutMs) != frameLength) {
        result = -1;
    } else if (ComPort_ReadReply(handle, reply, timeoutMs, abandon) != 0) {
        result = -2;
    }
    serial_device::Purge(handle);
    return result;
}
