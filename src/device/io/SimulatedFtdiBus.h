// A simulated FTDI bus behind the FtdiApi interface: devices with a description and a
// serial number that can be plugged, unplugged and made to send bytes. Tests drive it
// directly; the demo device is one such device with a feed that plays a session.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "device/io/FtdiApi.h"

namespace krovel {

// What a simulated device sends once the application listens to it (after the reader
// has asked for notification and purged, as a real reader does before it reads).
class SimulatedDeviceFeed {
public:
    using Sender = std::function<void(std::span<const uint8_t>)>;
    virtual ~SimulatedDeviceFeed() = default;
    // Starts sending through send; may return at once and send from its own thread.
    virtual void Start(Sender send) = 0;
    // The device's handle closes: stop, and return only once send will not be called.
    virtual void Stop() = 0;
};

// A feed that sends a fixed byte sequence at once when started.
class ByteScriptFeed : public SimulatedDeviceFeed {
public:
    explicit ByteScriptFeed(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    void Start(Sender send) override { send(bytes_); }
    void Stop() override {}

private:
    std::vector<uint8_t> bytes_;
};

class SimulatedFtdiBus : public FtdiApi {
public:
    SimulatedFtdiBus() = default;
    ~SimulatedFtdiBus() override;
    SimulatedFtdiBus(const SimulatedFtdiBus&) = delete;
    SimulatedFtdiBus& operator=(const SimulatedFtdiBus&) = delete;

    // Plugs a device in at the end of the listing; returns its id for the calls below
    // (the id stays valid after the device is unplugged; it is not a listing index).
    int AddDevice(std::string description, std::string serialNumber,
                  std::shared_ptr<SimulatedDeviceFeed> feed = nullptr);
    // The device vanishes now: it leaves the listing and its open handle fails reads.
    void Unplug(int id);
    // The device vanishes as soon as its current (or next) open handle is closed.
    void UnplugAfterClose(int id);

    // Bytes arriving from the device. Dropped (false) when the device is not open.
    bool Send(int id, std::span<const uint8_t> bytes);
    // Waits until the device is open and its reader listens (notification set, purged).
    bool WaitUntilListening(int id, std::chrono::milliseconds timeout);

    int OpenCount(int id) const;
    int CloseCount(int id) const;
    bool IsOpen(int id) const;

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
    struct Device {
        std::string description;
        std::string serialNumber;
        std::shared_ptr<SimulatedDeviceFeed> feed;
        bool present = true;
        bool unplugAfterClose = false;
        FtHandle handle = InvalidFtHandle; // the open handle, if any
        int opens = 0;
        int closes = 0;
    };
    struct OpenHandle {
        int device;
        std::vector<uint8_t> received;
        AutoResetEvent* event = nullptr;
        bool listening = false;
        bool feedStarted = false;
        bool gone = false; // the device was unplugged while open
    };

    // Both with mutex_ held.
    OpenHandle* Find(FtHandle handle);
    FtStatus Check(FtHandle handle);
    void Deliver(FtHandle handle, std::span<const uint8_t> bytes);

    mutable std::mutex mutex_;
    std::condition_variable listening_;
    std::vector<Device> devices_;
    std::map<FtHandle, OpenHandle> handles_;
    FtHandle nextHandle_ = 1;
};

} // namespace krovel
