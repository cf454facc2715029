// The serial transport: opens one of the ports COM1..COM5 at 57600 8N1 and runs a reader
// thread that hands every received byte to DecodeByte. Nothing is ever written.
//
// On Linux each port name maps to a device path: /dev/ttyS0../dev/ttyS4 by default,
// overridden by the settings key "Ports/COM1".. of QSettings("Marvolen Krovel",
// "Kelvane") and, above that, by the environment variable KROVEL_PORT_COM1..
#pragma once

#include <cstdint>
#include <string>

#include "device/io/Transport.h"

namespace krovel {

// The device path of port index; empty when index names no port.
std::string PortDevicePath(int32_t index);

// The link's serial entry, tried when no USB unit is attached: it opens the port the
// request names (req.PortIndex) and owns the reader thread and its stop flag (SerialStop).
Transport& SerialLink();

// Opens port index and starts its reader: 1, or 0 when a serial port is already open,
// index names no port, or the port cannot be opened (missing, in use, no access).
int32_t OpenSerial(int32_t index);

// Why the last OpenSerial failed: the port name, the device path tried and the system's
// reason, e.g. "COM1 (/dev/ttyS0): Permission denied". Empty after a successful open.
std::string SerialOpenFailure();

// Stops the reader (it notices within a few milliseconds), waits for it and closes the
// port. Does nothing when no port is open.
void CloseSerial();

// Whether the reader still runs. It ends on its own when the port fails or vanishes
// (unplugged); the port then counts as open until CloseSerial.
bool SerialReaderRunning();

} // namespace krovel
