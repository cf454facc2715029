// The FtdiApi on libftdi1 (through libusb): the real USB backend on Linux. It lists the
// FTDI chips of vendor 0x0403 and reads the product string as the description.
// libftdi has no event notification, so FT_SetEventNotification reports
// FT_NOT_SUPPORTED and the reader polls FT_GetStatus; each poll reads from the chip
// with a short latency timer, so it returns within a few milliseconds.
//
// No program links libftdi: the first listing loads it (dlopen), so the programs start,
// and the serial port works, on a system without it. When it cannot be loaded the
// listing finds no device, as when no unit is attached, and the reason goes to the
// krovel.link log once.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "device/io/FtdiApi.h"

namespace krovel {

struct LibFtdiCalls;

class LibFtdiApi : public FtdiApi {
public:
    // library: the file dlopen loads, the library's run-time name unless a test names
    // another.
    explicit LibFtdiApi(std::string library = "libftdi1.so.2");
    ~LibFtdiApi() override;

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

private:
    // The library's calls, loading it on the first use; nullptr when it cannot be loaded.
    const LibFtdiCalls* Calls();

    std::string library_;
    std::once_flag loaded_;
    std::unique_ptr<LibFtdiCalls> calls_;
};

} // namespace krovel
