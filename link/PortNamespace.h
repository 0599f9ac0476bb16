// Which device node stands behind a port name COMn, and what kind of device it is.
//
// Built in: COM1-COM32 are /dev/ttyS0-31, COM33-COM64 /dev/ttyUSB0-31, COM65-COM96
// /dev/ttyACM0-31; higher numbers have no device. When KALVIO_DOSDEVICES names a folder, COMn
// is looked up only there, as an entry named COMn (normally a symbolic link to a device node).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace port_namespace {

constexpr const char* OverrideVariable = "KALVIO_DOSDEVICES";

// The node that COMn names, whether or not it exists; nothing for numbers without a mapping.
std::optional<std::string> DevicePath(uint32_t portNumber);

// The device target of COMn: a text containing "Serial" for a serial port with a UART behind
// it (and for any character device named in the override folder), "VCP" for a USB virtual
// port, and neither for other kinds of node. Nothing when the node does not exist.
std::optional<std::string> DeviceTarget(uint32_t portNumber);

// The port number in "COMn"; nothing when the text is not exactly that form with n >= 1.
std::optional<uint32_t> ParsePortName(const std::string& name);

}  // namespace port_namespace
