#include "device/io/DeviceLink.h"

#include "base/io/LogCategories.h"
#include "device/io/SerialTransport.h"
#include "device/io/UsbTransport.h"

namespace krovel {

int32_t UsbOpen = 0;
int32_t SerialOpen = 0;

namespace {

// The last link's reader ended on its own before the link was closed.
bool lostBeforeClose = false;
// Why the last open failed.
std::string lastFailure;

bool ReaderEndedOnItsOwn() {
    return (UsbOpen && !UsbReaderRunning()) || (SerialOpen && !SerialReaderRunning());
}

int32_t OpenLink(LinkRequestRecord& req, int32_t bulkMode) {
    if (UsbOpen || SerialOpen) {
        lastFailure = "a link is already open";
        return 0;
    }
    lostBeforeClose = false;
    AttachLinkRequest(&req);
    req.BulkMode = bulkMode;
    if (!bulkMode) ResetLiveDecoder();

    // USB first; once the unit was seen there is no serial fallback, even if it vanishes
    // before it opens. A failed open clears its flag so that the next open tries again.
    const char* mode = bulkMode ? "bulk" : "live";
    if (ProbeUsb()) {
        UsbOpen = 1;
        if (OpenUsb()) {
            qCInfo(LinkLog) << "link opened on USB for" << mode << "data";
            return 1;
        }
        UsbOpen = 0;
        lastFailure = std::string("the USB unit \"") + DeviceDescription + "\" cannot be opened";
        qCInfo(LinkLog).noquote() << QString::fromStdString(lastFailure);
        return 0;
    }
    qCInfo(LinkLog) << "no USB unit" << DeviceDescription << "found; trying the serial port";
    SerialOpen = 1;
    if (OpenSerial(req.PortIndex)) {
        qCInfo(LinkLog) << "link opened on the serial port for" << mode << "data";
        return 1;
    }
    SerialOpen = 0;
    lastFailure = std::string("no USB unit \"") + DeviceDescription + "\"; " + SerialOpenFailure();
    return 0;
}

} // namespace

int32_t OpenLiveLink(LinkRequestRecord& req) {
    return OpenLink(req, 0);
}

int32_t OpenBulkLink(LinkRequestRecord& req) {
    return OpenLink(req, 1);
}

std::string LinkFailureText() {
    return lastFailure;
}

void CloseLink() {
    if (ReaderEndedOnItsOwn()) lostBeforeClose = true;
    if (UsbOpen) {
        CloseUsb();
        UsbOpen = 0;
        qCInfo(LinkLog) << "link closed";
    } else if (SerialOpen) {
        CloseSerial();
        SerialOpen = 0;
        qCInfo(LinkLog) << "link closed";
    }
}

bool LinkLost() {
    return lostBeforeClose || ReaderEndedOnItsOwn();
}

} // namespace krovel
