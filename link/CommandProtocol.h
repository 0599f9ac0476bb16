// The command/reply transaction with the unit: a command line ended by CR goes out, one reply
// framed by STX and ETX comes back.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "ComPort.h"
#include "TurnLock.h"

constexpr uint8_t Stx = 0x02;
constexpr uint8_t Etx = 0x03;
constexpr uint32_t TransactionTimeoutMs = 1000;

// Holds a reply payload, NUL-terminated; a payload has at most 9999 bytes.
using ReplyBuffer = std::array<char, 10000>;

// Serialises every transaction on PortHandle. Whoever calls ComPort_Transact holds it for the
// whole transaction; the connection search holds it for its whole scan. A thread waiting for it
// gets it before the holder can take it again, so a command waiting through a search that finds
// no unit fails at once on the closed port instead of reaching a unit found by a later search.
extern TurnLock PortLock;

// Every reply ends, with the failure code of the part it was in, at the latest after ten
// time-outs or 20002 bytes (bytes before the STX included), however long a device keeps
// sending; and before its next byte once `abandon`, when given, is set: a worker thread passes
// its termination flag, so that its stop cuts a transaction short.

// 0 a reply frame arrived (reply holds its payload); -1 the command was not written
// completely; -2 no complete reply frame arrived (also a payload longer than 9999 bytes).
// Both directions are purged before and after, on every path. The caller holds PortLock.
int ComPort_Transact(PortHandleValue handle, const char* command, ReplyBuffer& reply,
                     uint32_t timeoutMs, const std::atomic<bool>* abandon = nullptr);

// 0 a complete frame; -1 a read failed or timed out before the STX; -2 after it (also a payload
// longer than 9999 bytes, whose rest is read and dropped up to its ETX).
int ComPort_ReadReply(PortHandleValue handle, ReplyBuffer& reply, uint32_t timeoutMs,
                      const std::atomic<bool>* abandon = nullptr);
