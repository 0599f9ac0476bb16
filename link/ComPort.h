// The serial port layer: free functions over one port handle, in the unit's line settings.
//
// Every function reports failure only through its result (small negative codes) and never shows
// anything. The functions take no lock themselves: the device link calls them only while it
// holds PortLock (see CommandProtocol.h), so at most one thread uses PortHandle at a time.
#pragma once

#include <cstddef>
#include <cstdint>

using PortHandleValue = int;

// The invalid handle: all bits set.
constexpr PortHandleValue InvalidPortHandle = -1;

// The process-wide handle of the open port; invalid while no port is open.
extern PortHandleValue PortHandle;

// The name under which port n is opened: "COM9" for n up to 9, "\\.\COM10" from 10 on.
void ComPort_FormatOpenName(uint32_t portNumber, char (&name)[100]);

// Opens COM<portNumber> exclusively and purges it; the invalid handle when the port is not a
// serial device, is missing, or is held by another program.
PortHandleValue ComPort_Open(uint32_t portNumber);

// 0; -1 queue sizes refused; -2 time-outs refused; -3 reading the line settings failed;
// -4 writing the line settings failed; -5 clearing the error state failed.
int ComPort_Configure(PortHandleValue handle, int32_t baudRate);

// Purges and closes. 0 when closed or nothing to close; -1 when the close failed or the
// handle was not opened here (then nothing is closed). PortHandle becomes invalid when it
// was this handle, whatever the result.
int ComPort_Close(PortHandleValue handle);

// 1 a byte was read; -1 clearing the error state failed; -2 time-outs refused; -3 the read call
// failed (also a vanished device); -4 no byte within timeoutMs.
int ComPort_ReadByte(PortHandleValue handle, uint8_t* byte, uint32_t timeoutMs);

// The number of bytes written (equal to length); 0 for length 0; -1 clearing the error state
// failed; -2 time-outs refused; -3 the write call failed; -4 no progress within timeoutMs, or
// the bytes still waiting in the driver's queue when it ran out (a unit holding XOFF).
int ComPort_WriteBlock(PortHandleValue handle, const uint8_t* bytes, uint32_t length,
                       uint32_t timeoutMs);
