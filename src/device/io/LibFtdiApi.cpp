#include "device/io/LibFtdiApi.h"

#include <QString>
#include <algorithm>
#include <cstring>
#include <dlfcn.h>
#include <ftdi.h>
#include <libusb.h>
#include <vector>

#include "base/io/LogCategories.h"

// The calls this backend makes, all looked up in the loaded library (libusb's through
// libftdi's dependency on it); the headers give their types.
#define KROVEL_LIBFTDI_CALLS(X)                                                                    \
    X(ftdi_new)                                                                                    \
    X(ftdi_free)                                                                                   \
    X(ftdi_usb_find_all)                                                                           \
    X(ftdi_list_free)                                                                              \
    X(ftdi_usb_open_dev)                                                                           \
    X(ftdi_usb_close)                                                                              \
    X(ftdi_set_latency_timer)                                                                      \
    X(ftdi_read_data)                                                                              \
    X(ftdi_set_baudrate)                                                                           \
    X(ftdi_set_line_property)                                                                      \
    X(ftdi_setdtr)                                                                                 \
    X(ftdi_setrts)                                                                                 \
    X(ftdi_tciflush)                                                                               \
    X(ftdi_tcoflush)                                                                               \
    X(ftdi_usb_get_strings2)                                                                       \
    X(libusb_get_bus_number)                                                                       \
    X(libusb_get_port_number)                                                                      \
    X(libusb_get_device)

namespace krovel {

struct LibFtdiCalls {
#define KROVEL_DECLARE_CALL(name) decltype(&::name) name = nullptr;
    KROVEL_LIBFTDI_CALLS(KROVEL_DECLARE_CALL)
#undef KROVEL_DECLARE_CALL
};

namespace {

template <class Call> bool Bind(void* library, const char* name, Call*& call) {
    call = reinterpret_cast<Call*>(dlsym(library, name));
    return call != nullptr;
}

// Loads library and looks up every call; nullptr, with the reason logged, when either fails.
std::unique_ptr<LibFtdiCalls> LoadLibFtdi(const std::string& library) {
    // Stays loaded for the life of the process: a reader may still poll while it exits.
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    auto calls = std::make_unique<LibFtdiCalls>();
#define KROVEL_BIND_CALL(name) &&Bind(handle, #name, calls->name)
    if (handle KROVEL_LIBFTDI_CALLS(KROVEL_BIND_CALL)) return calls;
#undef KROVEL_BIND_CALL
    const char* reason = dlerror();
    qCWarning(LinkLog).noquote() << "libftdi cannot be loaded, so no USB unit is found:"
                                 << QString::fromLocal8Bit(reason ? reason : library.c_str());
    if (handle) dlclose(handle);
    return nullptr;
}

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

// A valid handle comes from FT_Open, so the library's calls are loaded wherever one is used.
LibFtdiDevice* Device(FtHandle handle) {
    return handle == InvalidFtHandle || handle == 0 ? nullptr
                                                    : reinterpret_cast<LibFtdiDevice*>(handle);
}

// The FTDI chips libftdi knows by their default product ids, all of vendor 0x0403.
// Without the library the list is empty and has no context.
struct DeviceList {
    const LibFtdiCalls* f;
    ftdi_context* context = nullptr;
    ftdi_device_list* list = nullptr;
    int count = 0;
    explicit DeviceList(const LibFtdiCalls* calls) : f(calls) {
        if (f) context = f->ftdi_new();
        if (context) count = std::max(0, f->ftdi_usb_find_all(context, &list, 0, 0));
    }
    ~DeviceList() {
        if (list) f->ftdi_list_free(&list);
        if (context) f->ftdi_free(context);
    }
    DeviceList(const DeviceList&) = delete;
    DeviceList& operator=(const DeviceList&) = delete;
};

} // namespace

LibFtdiApi::LibFtdiApi(std::string library) : library_(std::move(library)) {}

LibFtdiApi::~LibFtdiApi() = default;

const LibFtdiCalls* LibFtdiApi::Calls() {
    std::call_once(loaded_, [this] { calls_ = LoadLibFtdi(library_); });
    return calls_.get();
}

FtStatus LibFtdiApi::FT_ListDevices(uint32_t* locations, uint32_t capacity, uint32_t* count,
                                    uint32_t) {
    DeviceList devices(Calls());
    const LibFtdiCalls* f = devices.f;
    uint32_t listed = 0;
    for (ftdi_device_list* d = devices.list; d; d = d->next, ++listed) {
        if (listed < capacity)
            locations[listed] = (uint32_t(f->libusb_get_bus_number(d->dev)) << 8) |
                                f->libusb_get_port_number(d->dev);
    }
    *count = listed;
    return devices.context ? FT_OK : FT_IO_ERROR;
}

FtStatus LibFtdiApi::FT_Open(int deviceNumber, FtHandle* handle) {
    *handle = InvalidFtHandle;
    DeviceList devices(Calls());
    const LibFtdiCalls* f = devices.f;
    ftdi_device_list* d = devices.list;
    for (int i = 0; d && i < deviceNumber; ++i) d = d->next;
    if (!d || deviceNumber < 0) return FT_DEVICE_NOT_FOUND;

    auto* device = new LibFtdiDevice;
    device->context = f->ftdi_new();
    if (!device->context || f->ftdi_usb_open_dev(device->context, d->dev) < 0) {
        if (device->context) f->ftdi_free(device->context);
        delete device;
        return FT_DEVICE_NOT_OPENED;
    }
    f->ftdi_set_latency_timer(device->context, LatencyMs);
    device->context->usb_read_timeout = UsbReadTimeoutMs;
    *handle = reinterpret_cast<FtHandle>(device);
    return FT_OK;
}

FtStatus LibFtdiApi::FT_Close(FtHandle handle) {
    LibFtdiDevice* device = Device(handle);
    if (!device) return FT_INVALID_HANDLE;
    const LibFtdiCalls& f = *calls_;
    f.ftdi_usb_close(device->context);
    f.ftdi_free(device->context);
    delete device;
    return FT_OK;
}

FtStatus LibFtdiApi::FT_GetStatus(FtHandle handle, uint32_t* rxBytes, uint32_t* txBytes,
                                  uint32_t* eventStatus) {
    *rxBytes = *txBytes = *eventStatus = 0;
    LibFtdiDevice* device = Device(handle);
    if (!device) return FT_INVALID_HANDLE;
    const LibFtdiCalls& f = *calls_;
    FtStatus status = FT_OK;
    if (device->received.size() < ReadAheadLimit) {
        unsigned char chunk[4096];
        const int n = f.ftdi_read_data(device->context, chunk, sizeof chunk);
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
    const LibFtdiCalls& f = *calls_;
    return f.ftdi_set_baudrate(device->context, static_cast<int>(baudRate)) < 0 ? FT_IO_ERROR
                                                                                : FT_OK;
}

FtStatus LibFtdiApi::FT_SetDataCharacteristics(FtHandle handle, uint8_t wordLength,
                                               uint8_t stopBits, uint8_t parity) {
    LibFtdiDevice* device = Device(handle);
    if (!device) return FT_INVALID_HANDLE;
    const LibFtdiCalls& f = *calls_;
    if (wordLength != FT_BITS_8 || stopBits != FT_STOP_BITS_1 || parity != FT_PARITY_NONE)
        return FT_INVALID_PARAMETER; // the only line the device speaks
    return f.ftdi_set_line_property(device->context, BITS_8, STOP_BIT_1, NONE) < 0 ? FT_IO_ERROR
                                                                                   : FT_OK;
}

FtStatus LibFtdiApi::FT_SetDtr(FtHandle handle) {
    LibFtdiDevice* device = Device(handle);
    if (!device) return FT_INVALID_HANDLE;
    const LibFtdiCalls& f = *calls_;
    return f.ftdi_setdtr(device->context, 1) < 0 ? FT_IO_ERROR : FT_OK;
}

FtStatus LibFtdiApi::FT_SetRts(FtHandle handle) {
    LibFtdiDevice* device = Device(handle);
    if (!device) return FT_INVALID_HANDLE;
    const LibFtdiCalls& f = *calls_;
    return f.ftdi_setrts(device->context, 1) < 0 ? FT_IO_ERROR : FT_OK;
}

FtStatus LibFtdiApi::FT_Purge(FtHandle handle, uint32_t mask) {
    LibFtdiDevice* device = Device(handle);
    if (!device) return FT_INVALID_HANDLE;
    const LibFtdiCalls& f = *calls_;
    int result = 0;
    if (mask & FT_PURGE_RX) {
        device->received.clear();
        result |= f.ftdi_tciflush(device->context);
    }
    if (mask & FT_PURGE_TX) result |= f.ftdi_tcoflush(device->context);
    return result < 0 ? FT_IO_ERROR : FT_OK;
}

FtStatus LibFtdiApi::FT_SetEventNotification(FtHandle, uint32_t, AutoResetEvent*) {
    return FT_NOT_SUPPORTED;
}

FtStatus LibFtdiApi::FT_GetDeviceInfo(FtHandle handle, char* serialNumber, char* description) {
    serialNumber[0] = description[0] = '\0';
    LibFtdiDevice* device = Device(handle);
    if (!device) return FT_INVALID_HANDLE;
    const LibFtdiCalls& f = *calls_;
    libusb_device* usb = f.libusb_get_device(device->context->usb_dev);
    // The description decides; a chip without a serial number string still counts.
    const int result = f.ftdi_usb_get_strings2(device->context, usb, nullptr, 0, description,
                                               FtDescriptionSize, nullptr, 0);
    if (f.ftdi_usb_get_strings2(device->context, usb, nullptr, 0, nullptr, 0, serialNumber,
                                FtSerialNumberSize) < 0)
        serialNumber[0] = '\0';
    serialNumber[FtSerialNumberSize - 1] = description[FtDescriptionSize - 1] = '\0';
    return result < 0 ? FT_IO_ERROR : FT_OK;
}

} // namespace krovel
