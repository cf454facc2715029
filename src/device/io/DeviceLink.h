// The link to the device, whichever transport carries it: the first entry of
// LinkTransports() whose device is there (USB when the unit is attached, else the serial
// port the request names). At most one link is open at a time; all three calls run on
// the UI thread.
#pragma once

#include <cstdint>
#include <string>

#include "device/core/StreamDecoder.h"
#include "device/io/Transport.h"

namespace krovel {

// Reads as 1 while the link is open on the entry of LinkTransports() it names, else 0.
class LinkOpenOn {
public:
    LinkOpenOn(Transport* const& open, int entry) : open_(open), entry_(entry) {}
    operator int32_t() const { return open_ == LinkTransports()[entry_] ? 1 : 0; }

private:
    Transport* const& open_;
    int entry_;
};

// The link's own state, on the UI thread only.
struct DeviceLinkState {
    DeviceLinkState() = default;
    DeviceLinkState(const DeviceLinkState&) = delete;
    DeviceLinkState& operator=(const DeviceLinkState&) = delete;

    // The entry of LinkTransports() that carries the link; null when none is open.
    Transport* OpenTransport = nullptr;
    // Which transport is open (both 0 when none), read from OpenTransport.
    const LinkOpenOn UsbOpen{OpenTransport, UsbEntry};
    const LinkOpenOn SerialOpen{OpenTransport, SerialEntry};
    // The last link's reader ended on its own before the link was closed.
    bool LostBeforeClose = false;
    // Why the last open failed.
    std::string LastFailure;

    // Back to the state at program start; an open link is closed first (tests).
    void Reset();
};
extern DeviceLinkState DeviceLink;

// Opens the link for live frames: 1, or 0 when a link is already open (left untouched)
// or no transport opens (the caller shows "Error in communication"). The decoder works
// for req until the next open; the live decoder restarts at a frame boundary.
int32_t OpenLiveLink(LinkRequestRecord& req);

// The same for a bulk transfer; the caller resets the bulk collector beforehand.
int32_t OpenBulkLink(LinkRequestRecord& req);

// Why the last open failed, for the user: which transport and device path were tried
// and the system's reason, e.g. 'no USB unit "Kinetrak Basic"; COM1 (/dev/ttyS0):
// Permission denied'.
std::string LinkFailureText();

// Closes whichever transport is open, waiting for its reader to end. Safe when closed.
void CloseLink();

// Whether the device went away under the last link: its reader ended on its own
// (unit unplugged, line gone) while the link was open. Stays true after CloseLink,
// until the next open.
bool LinkLost();

} // namespace krovel
