#include "device/io/DeviceLink.h"

#include "device/io/SerialTransport.h"
#include "device/io/UsbTransport.h"

namespace krovel {

int32_t UsbOpen = 0;
int32_t SerialOpen = 0;

namespace {

// The last link's reader ended on its own before the link was closed.
bool lostBeforeClose = false;

bool ReaderEndedOnItsOwn() {
    return (UsbOpen && !UsbReaderRunning()) || (SerialOpen && !SerialReaderRunning());
}

int32_t OpenLink(LinkRequestRecord& req, int32_t bulkMode) {
    if (UsbOpen || SerialOpen) return 0;
    lostBeforeClose = false;
    AttachLinkRequest(&req);
    req.BulkMode = bulkMode;
    if (!bulkMode) ResetLiveDecoder();

    // USB first; once the unit was seen there is no serial fallback, even if it vanishes
    // before it opens. A failed open clears its flag so that the next open tries again.
    if (ProbeUsb()) {
        UsbOpen = 1;
        if (OpenUsb()) return 1;
        UsbOpen = 0;
        return 0;
    }
    SerialOpen = 1;
    if (OpenSerial(req.PortIndex)) return 1;
    SerialOpen = 0;
    return 0;
}

} // namespace

int32_t OpenLiveLink(LinkRequestRecord& req) {
    return OpenLink(req, 0);
}

int32_t OpenBulkLink(LinkRequestRecord& req) {
    return OpenLink(req, 1);
}

void CloseLink() {
    if (ReaderEndedOnItsOwn()) lostBeforeClose = true;
    if (UsbOpen) {
        CloseUsb();
        UsbOpen = 0;
    } else if (SerialOpen) {
        CloseSerial();
        SerialOpen = 0;
    }
}

bool LinkLost() {
    return lostBeforeClose || ReaderEndedOnItsOwn();
}

} // namespace krovel
