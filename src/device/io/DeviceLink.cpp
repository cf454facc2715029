#include "device/io/DeviceLink.h"

#include "base/io/LogCategories.h"
#include "device/io/SerialTransport.h"
#include "device/io/UsbTransport.h"

namespace krovel {

DeviceLinkState DeviceLink;

namespace {

bool ReaderEndedOnItsOwn() {
    return (DeviceLink.UsbOpen && !UsbReaderRunning()) ||
           (DeviceLink.SerialOpen && !SerialReaderRunning());
}

int32_t OpenLink(LinkRequestRecord& req, int32_t bulkMode) {
    if (DeviceLink.UsbOpen || DeviceLink.SerialOpen) {
        DeviceLink.LastFailure = "a link is already open";
        return 0;
    }
    DeviceLink.LostBeforeClose = false;
    AttachLinkRequest(&req);
    req.BulkMode = bulkMode;
    if (!bulkMode) LiveDecoder.Reset();

    // USB first; once the unit was seen there is no serial fallback, even if it vanishes
    // before it opens. A failed open clears its flag so that the next open tries again.
    const char* mode = bulkMode ? "bulk" : "live";
    if (ProbeUsb()) {
        DeviceLink.UsbOpen = 1;
        if (OpenUsb()) {
            qCInfo(LinkLog) << "link opened on USB for" << mode << "data";
            return 1;
        }
        DeviceLink.UsbOpen = 0;
        DeviceLink.LastFailure =
            std::string("the USB unit \"") + DeviceDescription + "\" cannot be opened";
        qCInfo(LinkLog).noquote() << QString::fromStdString(DeviceLink.LastFailure);
        return 0;
    }
    qCInfo(LinkLog) << "no USB unit" << DeviceDescription << "found; trying the serial port";
    DeviceLink.SerialOpen = 1;
    if (OpenSerial(req.PortIndex)) {
        qCInfo(LinkLog) << "link opened on the serial port for" << mode << "data";
        return 1;
    }
    DeviceLink.SerialOpen = 0;
    DeviceLink.LastFailure =
        std::string("no USB unit \"") + DeviceDescription + "\"; " + SerialOpenFailure();
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
    return DeviceLink.LastFailure;
}

void CloseLink() {
    if (ReaderEndedOnItsOwn()) DeviceLink.LostBeforeClose = true;
    if (DeviceLink.UsbOpen) {
        CloseUsb();
        DeviceLink.UsbOpen = 0;
        qCInfo(LinkLog) << "link closed";
    } else if (DeviceLink.SerialOpen) {
        CloseSerial();
        DeviceLink.SerialOpen = 0;
        qCInfo(LinkLog) << "link closed";
    }
}

void DeviceLinkState::Reset() {
    CloseLink();
    LostBeforeClose = false;
    LastFailure.clear();
}

bool LinkLost() {
    return DeviceLink.LostBeforeClose || ReaderEndedOnItsOwn();
}

} // namespace krovel
