#include "device/io/LibFtdiApi.h"

#include <algorithm>
#include <cstring>
#include <ftdi.h>
#include <libusb.h>
#include <vector>

namespace krovel {

namespace {

// Latency timer of the chip in ms: how long it holds a partial packet, and so how long
// an idle poll waits before the chip answers with no data.
constexpr unsigned char LatencyMs = 4;
constexpr int UsbReadTimeoutMs = 100;
// Bytes read ahead of FT_Read; polling stops reading from the chip when this is full.
constexpr size_t ReadAheadLimit = 64 * 1024;

struct LibFtdiDevice {
    ftdi_context* context = nullptr;
    std::vector<uint8_t> received;
};

LibFtdiDevice* Device(FtHandle handle) {
    return handle == InvalidFtHandle || handle == 0 ? nullptr
                                                    : reinterpret_cast<LibFtdiDevice*>(handle);
}

// The FTDI chips libftdi knows by their default product ids, all of vendor 0x0403.
struct DeviceList {
    ftdi_context* context = ftdi_new();
    ftdi_device_list* list = nullptr;
    int count = 0;
    DeviceList() {
        if (context) count = std::max(0, ftdi_usb_find_all(context, &list, 0, 0));
    }
    ~DeviceList() {
        if (list) ftdi_list_free(&list);
        if (context) ftdi_free(context);
    }
    DeviceList(const DeviceList&) = delete;
    DeviceList& operator=(const DeviceList&) = delete;
};

} // namespace

FtStatus LibFtdiApi::FT_ListDevices(uint32_t* locations, uint32_t capacity, uint32_t* count,
                                    uint32_t) {
    DeviceList devices;
    uint32_t listed = 0;
    for (ftdi_device_list* d = devices.list; d; d = d->next, ++listed) {
        if (listed < capacity)
            locations[listed] =
                (uint32_t(libusb_get_bus_number(d->dev)) << 8) | libusb_get_port_number(d->dev);
    }
    *count = listed;
    return devices.context ? FT_OK : FT_IO_ERROR;
}

FtStatus LibFtdiApi::FT_Open(int deviceNumber, FtHandle* handle) {
    *handle = InvalidFtHandle;
    DeviceList devices;
    ftdi_device_list* d = devices.list;
    for (int i = 0; d && i < deviceNumber; ++i) d = d->next;
    if (!d || deviceNumber < 0) return FT_DEVICE_NOT_FOUND;

    auto* device = new LibFtdiDevice;
    device->context = ftdi_new();
    if (!device->context || ftdi_usb_open_dev(device->context, d->dev) < 0) {
        if (device->context) ftdi_free(device->context);
        delete device;
        return FT_DEVICE_NOT_OPENED;
    }
    ftdi_set_latency_timer(device->context, LatencyMs);
    device->context->usb_read_timeout = UsbReadTimeoutMs;
    *handle = reinterpret_cast<FtHandle>(device);
    return FT_OK;
}

FtStatus LibFtdiApi::FT_Close(FtHandle handle) {
    LibFtdiDevice* device = Device(handle);
    if (!device) return FT_INVALID_HANDLE;
    ftdi_usb_close(device->context);
    ftdi_free(device->context);
    delete device;
    return FT_OK;
}

FtStatus LibFtdiApi::FT_GetStatus(FtHandle handle, uint32_t* rxBytes, uint32_t* txBytes,
                                  uint32_t* eventStatus) {
    *rxBytes = *txBytes = *eventStatus = 0;
    LibFtdiDevice* device = Device(handle);
    if (!device) return FT_INVALID_HANDLE;
    FtStatus status = FT_OK;
    if (device->received.size() < ReadAheadLimit) {
        unsigned char chunk[4096];
        const int n = ftdi_read_data(device->context, chunk, sizeof chunk);
        if (n < 0)
            status = FT_IO_ERROR;
        else
            device->received.insert(device->received.end(), chunk, chunk + n);
    }
    *rxBytes = static_cast<uint32_t>(device->received.size());
    return status;
}

FtStatus LibFtdiApi::FT_Read(FtHandle handle, void* buffer, uint32_t bytesToRead,
                             uint32_t* bytesReturned) {
    *bytesReturned = 0;
    LibFtdiDevice* device = Device(handle);
    if (!device) return FT_INVALID_HANDLE;
    std::vector<uint8_t>& received = device->received;
    const size_t n = std::min<size_t>(bytesToRead, received.size());
    std::memcpy(buffer, received.data(), n);
    received.erase(received.begin(), received.begin() + static_cast<std::ptrdiff_t>(n));
    *bytesReturned = static_cast<uint32_t>(n);
    return FT_OK;
}

FtStatus LibFtdiApi::FT_SetBaudRate(FtHandle handle, uint32_t baudRate) {
    LibFtdiDevice* device = Device(handle);
    if (!device) return FT_INVALID_HANDLE;
    return ftdi_set_baudrate(device->context, static_cast<int>(baudRate)) < 0 ? FT_IO_ERROR : FT_OK;
}

FtStatus LibFtdiApi::FT_SetDataCharacteristics(FtHandle handle, uint8_t wordLength,
                                               uint8_t stopBits, uint8_t parity) {
    LibFtdiDevice* device = Device(handle);
    if (!device) return FT_INVALID_HANDLE;
    if (wordLength != FT_BITS_8 || stopBits != FT_STOP_BITS_1 || parity != FT_PARITY_NONE)
        return FT_INVALID_PARAMETER; // the only line the device speaks
    return ftdi_set_line_property(device->context, BITS_8, STOP_BIT_1, NONE) < 0 ? FT_IO_ERROR
                                                                                 : FT_OK;
}

FtStatus LibFtdiApi::FT_SetDtr(FtHandle handle) {
    LibFtdiDevice* device = Device(handle);
    if (!device) return FT_INVALID_HANDLE;
    return ftdi_setdtr(device->context, 1) < 0 ? FT_IO_ERROR : FT_OK;
}

FtStatus LibFtdiApi::FT_SetRts(FtHandle handle) {
    LibFtdiDevice* device = Device(handle);
    if (!device) return FT_INVALID_HANDLE;
    return ftdi_setrts(device->context, 1) < 0 ? FT_IO_ERROR : FT_OK;
}

FtStatus LibFtdiApi::FT_Purge(FtHandle handle, uint32_t mask) {
    LibFtdiDevice* device = Device(handle);
    if (!device) return FT_INVALID_HANDLE;
    int result = 0;
    if (mask & FT_PURGE_RX) {
        device->received.clear();
        result |= ftdi_tciflush(device->context);
    }
    if (mask & FT_PURGE_TX) result |= ftdi_tcoflush(device->context);
    return result < 0 ? FT_IO_ERROR : FT_OK;
}

FtStatus LibFtdiApi::FT_SetEventNotification(FtHandle, uint32_t, AutoResetEvent*) {
    return FT_NOT_SUPPORTED;
}

FtStatus LibFtdiApi::FT_GetDeviceInfo(FtHandle handle, char* serialNumber, char* description) {
    serialNumber[0] = description[0] = '\0';
    LibFtdiDevice* device = Device(handle);
    if (!device) return FT_INVALID_HANDLE;
    libusb_device* usb = libusb_get_device(device->context->usb_dev);
    // The description decides; a chip without a serial number string still counts.
    const int result = ftdi_usb_get_strings2(device->context, usb, nullptr, 0, description,
                                             FtDescriptionSize, nullptr, 0);
    if (ftdi_usb_get_strings2(device->context, usb, nullptr, 0, nullptr, 0, serialNumber,
                              FtSerialNumberSize) < 0)
        serialNumber[0] = '\0';
    serialNumber[FtSerialNumberSize - 1] = description[FtDescriptionSize - 1] = '\0';
    return result < 0 ? FT_IO_ERROR : FT_OK;
}

} // namespace krovel
