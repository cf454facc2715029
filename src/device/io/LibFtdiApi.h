// The FtdiApi on libftdi1 (through libusb): the real USB backend on Linux. It lists the
// FTDI chips of vendor 0x0403 and reads the product string as the description.
// libftdi has no event notification, so FT_SetEventNotification reports
// FT_NOT_SUPPORTED and the reader polls FT_GetStatus; each poll reads from the chip
// with a short latency timer, so it returns within a few milliseconds.
#pragma once

#include "device/io/FtdiApi.h"

namespace krovel {

class LibFtdiApi : public FtdiApi {
public:
    FtStatus FT_Open(int deviceNumber, FtHandle* handle) override;
    FtStatus FT_Close(FtHandle handle) override;
    FtStatus FT_Read(FtHandle handle, void* buffer, uint32_t bytesToRead,
                     uint32_t* bytesReturned) override;
    FtStatus FT_SetBaudRate(FtHandle handle, uint32_t baudRate) override;
    FtStatus FT_SetDataCharacteristics(FtHandle handle, uint8_t wordLength, uint8_t stopBits,
                                       uint8_t parity) override;
    FtStatus FT_SetDtr(FtHandle handle) override;
    FtStatus FT_SetRts(FtHandle handle) override;
    FtStatus FT_Purge(FtHandle handle, uint32_t mask) override;
    FtStatus FT_SetEventNotification(FtHandle handle, uint32_t mask,
                                     AutoResetEvent* event) override;
    FtStatus FT_GetStatus(FtHandle handle, uint32_t* rxBytes, uint32_t* txBytes,
                          uint32_t* eventStatus) override;
    FtStatus FT_ListDevices(uint32_t* locations, uint32_t capacity, uint32_t* count,
                            uint32_t flags) override;
    FtStatus FT_GetDeviceInfo(FtHandle handle, char* serialNumber, char* description) override;
};

} // namespace krovel
