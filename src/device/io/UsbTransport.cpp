#include "device/io/UsbTransport.h"

#include <QString>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <thread>

#include "base/io/LogCategories.h"
#include "device/core/StreamDecoder.h"
#include "device/io/AutoResetEvent.h"
#include "device/io/FtdiBackend.h"

namespace krovel {

namespace {

using namespace std::chrono_literals;

// With event notification the wait only bounds how late a lost wake-up is noticed;
// without it (libftdi) the reader polls, and each poll itself waits for the chip.
constexpr auto NotifiedWait = 500ms;
constexpr auto PollingWait = 10ms;
constexpr uint32_t ReadChunk = 1024;
// A unit that keeps failing every status query this long has gone (unplugged, powered
// off); a single failed transfer does not end the link.
constexpr auto LostAfter = 1s;

// The unit, the reader thread and its stop flag, from OpenUnit to Close.
class UsbTransport final : public Transport {
public:
    const char* Name() const override { return "USB"; }
    bool Probe() override;
    bool Open(const LinkRequestRecord& req) override;
    void Close() override;
    bool ReaderRunning() const override { return reader_.joinable() && readerActive_.load(); }
    std::string FailureText() const override { return failure_; }

    // Opens the unit and starts the reader: 1, or 0 when already open or not found.
    int32_t OpenUnit();

private:
    void ReaderLoop(FtdiApi& api, FtHandle handle, AutoResetEvent& event);

    FtdiApi* api_ = nullptr; // the backend the open device belongs to
    FtHandle UsbHandle = InvalidFtHandle;
    std::atomic<int32_t> UsbStop{0};
    std::thread reader_;
    std::unique_ptr<AutoResetEvent> event_;
    std::atomic<bool> readerActive_{false}; // the reader has not ended yet
    std::string failure_;
};

UsbTransport& Usb() {
    static UsbTransport usb;
    return usb;
}

void UsbTransport::ReaderLoop(FtdiApi& api, FtHandle handle, AutoResetEvent& event) {
    const bool notified = api.FT_SetEventNotification(handle, FT_EVENT_RXCHAR, &event) == FT_OK;
    api.FT_Purge(handle, FT_PURGE_RX | FT_PURGE_TX);
    uint8_t buffer[ReadChunk];
    std::optional<std::chrono::steady_clock::time_point> failingSince;
    while (!UsbStop.load()) {
        // A quiet wait still asks for the status, so a unit that vanished is noticed
        // even when no byte will ever signal the event again.
        event.WaitFor(notified ? NotifiedWait : PollingWait);
        if (UsbStop.load()) break;
        uint32_t waiting = 0, txBytes = 0, eventStatus = 0;
        if (api.FT_GetStatus(handle, &waiting, &txBytes, &eventStatus) != FT_OK) {
            const auto now = std::chrono::steady_clock::now();
            if (!failingSince) failingSince = now;
            if (now - *failingSince >= LostAfter) { // the unit is gone
                qCInfo(LinkLog) << "USB unit lost: it no longer answers";
                break;
            }
            continue;
        }
        failingSince.reset();
        // Drain everything that was waiting at this wake-up before waiting again.
        while (waiting > 0) {
            const uint32_t chunk = std::min(waiting, ReadChunk);
            waiting -= chunk;
            uint32_t got = 0;
            if (api.FT_Read(handle, buffer, chunk, &got) != FT_OK) got = 0;
            for (uint32_t i = 0; i < std::min(got, chunk); ++i) DecodeByte(buffer[i]);
        }
    }
    readerActive_.store(false);
}

} // namespace

FtHandle FindUsbDevice(const char* description) {
    FtdiApi& api = CurrentFtdiApi();
    uint32_t locations[UsbListingEntries] = {};
    uint32_t count = 0;
    if (api.FT_ListDevices(locations, UsbListingEntries, &count,
                           FT_LIST_ALL | FT_OPEN_BY_LOCATION) != FT_OK)
        return InvalidFtHandle;
    for (uint32_t i = 0; i < count; ++i) {
        FtHandle handle = InvalidFtHandle;
        if (const FtStatus status = api.FT_Open(static_cast<int>(i), &handle); status != FT_OK) {
            // Often a missing permission: the udev rule not installed, the unit not replugged.
            qCInfo(LinkLog) << "USB device" << i << "of" << count << "cannot be opened, status"
                            << status;
            continue;
        }
        char serialNumber[FtSerialNumberSize] = {};
        char found[FtDescriptionSize] = {};
        if (api.FT_GetDeviceInfo(handle, serialNumber, found) == FT_OK) {
            found[FtDescriptionSize - 1] = '\0';
            if (std::strcmp(found, description) == 0) return handle;
        }
        api.FT_Close(handle);
    }
    return InvalidFtHandle;
}

bool ProbeUsb() {
    const FtHandle handle = FindUsbDevice(DeviceDescription);
    if (handle == InvalidFtHandle) return false;
    CurrentFtdiApi().FT_Close(handle);
    return true;
}

bool UsbTransport::Probe() {
    if (ProbeUsb()) return true;
    failure_ = std::string("no USB unit \"") + DeviceDescription + "\"";
    return false;
}

bool UsbTransport::Open(const LinkRequestRecord&) {
    if (OpenUnit()) return true;
    failure_ = std::string("the USB unit \"") + DeviceDescription + "\" cannot be opened";
    qCInfo(LinkLog).noquote() << QString::fromStdString(failure_);
    return false;
}

int32_t UsbTransport::OpenUnit() {
    if (UsbHandle != InvalidFtHandle) return 0;
    UsbStop.store(0);
    FtdiApi& api = CurrentFtdiApi();
    const FtHandle handle = FindUsbDevice(DeviceDescription);
    if (handle == InvalidFtHandle) return 0;

    // The device speaks 57600 8N1; the results do not decide anything.
    api.FT_SetBaudRate(handle, 57600);
    api.FT_SetDataCharacteristics(handle, FT_BITS_8, FT_STOP_BITS_1, FT_PARITY_NONE);
    api.FT_Purge(handle, FT_PURGE_RX | FT_PURGE_TX);
    api.FT_SetRts(handle);
    api.FT_SetDtr(handle);

    auto event = std::make_unique<AutoResetEvent>();
    readerActive_.store(true);
    try {
        reader_ =
            std::thread(&UsbTransport::ReaderLoop, this, std::ref(api), handle, std::ref(*event));
    } catch (const std::system_error&) {
        readerActive_.store(false);
        api.FT_Close(handle);
        return 0;
    }
    api_ = &api;
    UsbHandle = handle;
    event_ = std::move(event);
    return 1;
}

void UsbTransport::Close() {
    if (!reader_.joinable()) return;
    UsbStop.store(1);
    event_->Signal();
    reader_.join();
    api_->FT_Close(UsbHandle);
    UsbHandle = InvalidFtHandle;
    api_ = nullptr;
    event_.reset();
}

Transport& UsbLink() {
    return Usb();
}

int32_t OpenUsb() {
    return Usb().OpenUnit();
}

void CloseUsb() {
    Usb().Close();
}

bool UsbReaderRunning() {
    return Usb().ReaderRunning();
}

} // namespace krovel
