// The twelve calls of the FTDI D2XX driver interface the USB transport uses, as an
// interface so that the transport runs on libftdi, on a simulated bus in tests, or on
// the demo device. Names, constants and results follow D2XX; the listing call takes
// the capacity of its table so that no backend can write past it.
#pragma once

#include <cstdint>

namespace krovel {

class AutoResetEvent;

using FtHandle = std::uintptr_t;
constexpr FtHandle InvalidFtHandle = ~FtHandle{0}; // all bits set, as D2XX's invalid handle

using FtStatus = uint32_t;
constexpr FtStatus FT_OK = 0;
constexpr FtStatus FT_INVALID_HANDLE = 1;
constexpr FtStatus FT_DEVICE_NOT_FOUND = 2;
constexpr FtStatus FT_DEVICE_NOT_OPENED = 3;
constexpr FtStatus FT_IO_ERROR = 4;
constexpr FtStatus FT_INVALID_PARAMETER = 6;
constexpr FtStatus FT_NOT_SUPPORTED = 17;

constexpr uint32_t FT_LIST_ALL = 0x20000000;
constexpr uint32_t FT_OPEN_BY_LOCATION = 4;
constexpr uint32_t FT_PURGE_RX = 1;
constexpr uint32_t FT_PURGE_TX = 2;
constexpr uint32_t FT_EVENT_RXCHAR = 1;
constexpr uint8_t FT_BITS_8 = 8;
constexpr uint8_t FT_STOP_BITS_1 = 0;
constexpr uint8_t FT_PARITY_NONE = 0;

constexpr int FtSerialNumberSize = 16;
constexpr int FtDescriptionSize = 64;

class FtdiApi {
public:
    virtual ~FtdiApi() = default;

    // Opens attached device number deviceNumber (0-based, in listing order).
    virtual FtStatus FT_Open(int deviceNumber, FtHandle* handle) = 0;
    virtual FtStatus FT_Close(FtHandle handle) = 0;
    virtual FtStatus FT_Read(FtHandle handle, void* buffer, uint32_t bytesToRead,
                             uint32_t* bytesReturned) = 0;
    virtual FtStatus FT_SetBaudRate(FtHandle handle, uint32_t baudRate) = 0;
    virtual FtStatus FT_SetDataCharacteristics(FtHandle handle, uint8_t wordLength,
                                               uint8_t stopBits, uint8_t parity) = 0;
    virtual FtStatus FT_SetDtr(FtHandle handle) = 0;
    virtual FtStatus FT_SetRts(FtHandle handle) = 0;
    virtual FtStatus FT_Purge(FtHandle handle, uint32_t mask) = 0;
    // Signals event whenever characters arrive. FT_NOT_SUPPORTED when the backend cannot
    // (libftdi): the reader then polls FT_GetStatus.
    virtual FtStatus FT_SetEventNotification(FtHandle handle, uint32_t mask,
                                             AutoResetEvent* event) = 0;
    virtual FtStatus FT_GetStatus(FtHandle handle, uint32_t* rxBytes, uint32_t* txBytes,
                                  uint32_t* eventStatus) = 0;
    // Writes at most capacity location ids into locations; *count is the number of
    // attached devices, which may exceed capacity.
    virtual FtStatus FT_ListDevices(uint32_t* locations, uint32_t capacity, uint32_t* count,
                                    uint32_t flags) = 0;
    // serialNumber holds FtSerialNumberSize bytes, description FtDescriptionSize bytes;
    // both come back NUL-terminated.
    virtual FtStatus FT_GetDeviceInfo(FtHandle handle, char* serialNumber, char* description) = 0;
};

} // namespace krovel
