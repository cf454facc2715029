// One way to the device. The link walks an ordered table of transports (LinkTransports):
// the first whose probe finds its device carries the link, whether or not it then opens.
// Each transport owns its device, its reader thread and that thread's stop flag; all
// calls run on the UI thread.
#pragma once

#include <span>
#include <string>

#include "device/core/StreamDecoder.h"

namespace krovel {

class Transport {
public:
    virtual ~Transport() = default;

    // How the log names it: "USB", "the serial port".
    virtual const char* Name() const = 0;
    // Whether its device is there. When not, the link goes on to the next entry and
    // FailureText() says what was missing.
    virtual bool Probe() = 0;
    // Opens the device for req and starts the reader: true, or false with FailureText()
    // saying why (and the log too). False as well when it is already open.
    virtual bool Open(const LinkRequestRecord& req) = 0;
    // Stops the reader, waits for it to end and closes the device. Safe when closed.
    virtual void Close() = 0;
    // Whether the reader still runs; it ends on its own when the device goes away, and
    // the transport then counts as open until Close.
    virtual bool ReaderRunning() const = 0;
    // Why the last probe or open failed, e.g. 'no USB unit "Kinetrak Basic"'.
    virtual std::string FailureText() const = 0;
};

// The table's entries by position.
constexpr int UsbEntry = 0;
constexpr int SerialEntry = 1;

// The transports in the order the link tries them: the USB unit (on the FtdiApi that
// FtdiBackend picks: libftdi, the demo device or a test's bus), then the serial port.
std::span<Transport* const> LinkTransports();

} // namespace krovel
