// The USB transport: finds the display unit among the attached FTDI chips by its exact
// description, opens it at 57600 8N1 and runs a reader thread that hands every received
// byte to DecodeByte. Nothing is ever written to the device. All calls run on the UI
// thread; the FtdiApi is the one CurrentFtdiApi() names at the time of the call.
#pragma once

#include <cstdint>

#include "device/io/FtdiApi.h"
#include "device/io/Transport.h"

namespace krovel {

inline constexpr const char* DeviceDescription = "Kinetrak Basic";

// Entries of the device listing table; more devices may be attached, and each of them
// is still tried, but the table is never written past its end.
constexpr uint32_t UsbListingEntries = 32;

// Opens the attached devices in turn and returns the handle of the first whose
// description equals description exactly (it stays open); InvalidFtHandle if none.
FtHandle FindUsbDevice(const char* description);

// Whether the unit is attached: finds it and closes it again.
bool ProbeUsb();

// The link's USB entry: it owns the open unit, its reader thread and the reader's stop
// flag (UsbStop). Its probe finds the unit; once found, the link does not fall back.
Transport& UsbLink();

// Opens the unit and starts the reader: 1, or 0 when already open or not found.
int32_t OpenUsb();

// Stops the reader (waking it at once), waits for it to end and closes the device.
// Does nothing when no reader runs.
void CloseUsb();

// Whether the reader still runs. It ends on its own when the unit stops answering for
// good (unplugged); the device then counts as open until CloseUsb.
bool UsbReaderRunning();

} // namespace krovel
