// The operating system's side of the port layer: one call per effect that the layer needs.
// Each returns true on success (or a count); none keeps state the caller must know about.
// The port layer (ComPort.cpp) composes them in its documented order of steps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "LineSettings.h"

namespace serial_device {

// The device target behind a port name such as "COM3"; false when there is no such device.
bool QueryTarget(const std::string& portName, std::string& target);

// Opens "COMn" (n up to 9) or "\\.\COMn" for reading and writing, as far as the system lets
// us exclusively. Refused, without opening it, is a port that another program uses: a kernel
// console, a process's terminal, a port named by a live lock file; and, once opened, one that
// another program holds as we do (flock, or the kernel's exclusive flag). While we hold it,
// later opens by programs that respect the flag or lock files fail (root passes the flag, and
// a pseudo-terminal gets no flag). The hold ends with our process, however it ends; a lock file
// left behind then is stale and blocks nobody. Returns the descriptor, or -1.
int OpenExclusive(const std::string& deviceName);

bool SetQueueSizes(int fd, uint32_t inputBytes, uint32_t outputBytes);
bool SetTimeouts(int fd, const PortTimeouts& timeouts);
bool GetLineSettings(int fd, LineSettings& settings);
// Writes the settings, checks that they took, then holds DTR and RTS as the settings say.
bool SetLineSettings(int fd, const LineSettings& settings);
// Takes the line's error counters (framing, overrun, parity, break) as the new baseline.
bool ClearLineErrors(int fd);

// Reads up to length bytes within the armed read time-out; bytes that the line held beyond them
// are kept for the next read. False when the call fails or the
// device is gone; true with *transferred 0 when the time-out passed.
bool Read(int fd, uint8_t* bytes, std::size_t length, std::size_t* transferred);
// Writes what the line takes within the armed write time-out; same results as Read.
bool Write(int fd, const uint8_t* bytes, std::size_t length, std::size_t* transferred);
// Waits until the driver has sent what was written, but never past the armed write time-out:
// a unit that holds XOFF must not hang the caller.
bool Flush(int fd);
// Discards both queues, and the bytes kept from an earlier read.
bool Purge(int fd);
// Discards both queues, releases exclusivity and closes a port that OpenExclusive opened.
// False when the close reported an error (the descriptor is gone all the same) and for any
// descriptor not opened here, which is left untouched.
bool Close(int fd);

}  // namespace serial_device
