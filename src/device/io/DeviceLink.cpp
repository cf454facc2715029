#include "device/io/DeviceLink.h"

#include "base/io/LogCategories.h"
#include "device/io/SerialTransport.h"
#include "device/io/UsbTransport.h"

namespace krovel {

DeviceLinkState DeviceLink;

std::span<Transport* const> LinkTransports() {
    static Transport* const table[] = {&UsbLink(), &SerialLink()};
    static_assert(UsbEntry == 0 && SerialEntry == 1);
    return table;
}

namespace {

bool ReaderEndedOnItsOwn() {
    return DeviceLink.OpenTransport && !DeviceLink.OpenTransport->ReaderRunning();
}

int32_t OpenLink(LinkRequestRecord& req, int32_t bulkMode) {
    if (DeviceLink.OpenTransport) {
        DeviceLink.LastFailure = "a link is already open";
        return 0;
    }
    DeviceLink.LostBeforeClose = false;
    AttachLinkRequest(&req);
    req.BulkMode = bulkMode;
    if (!bulkMode) LiveDecoder.Reset();

    // The first entry whose device is there carries the link: once the USB unit was seen
    // there is no serial fallback, even if it vanishes before it opens. A failed open
    // leaves no transport open, so the next open tries again from the first entry.
    const char* mode = bulkMode ? "bulk" : "live";
    const std::span<Transport* const> transports = LinkTransports();
    std::string missing; // what the entries before this one did not find
    for (size_t i = 0; i < transports.size(); ++i) {
        Transport& transport = *transports[i];
        if (!transport.Probe()) {
            missing += transport.FailureText() + "; ";
            if (i + 1 < transports.size())
                qCInfo(LinkLog).noquote() << QString::fromStdString(transport.FailureText())
                                          << "found; trying" << transports[i + 1]->Name();
            continue;
        }
        DeviceLink.OpenTransport = &transport;
        if (transport.Open(req)) {
            qCInfo(LinkLog) << "link opened on" << transport.Name() << "for" << mode << "data";
            return 1;
        }
        DeviceLink.OpenTransport = nullptr;
        DeviceLink.LastFailure = missing + transport.FailureText();
        return 0;
    }
    DeviceLink.LastFailure = missing.substr(0, missing.size() - 2);
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
    if (DeviceLink.OpenTransport) {
        DeviceLink.OpenTransport->Close();
        DeviceLink.OpenTransport = nullptr;
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
