#include "device/io/SimulatedFtdiBus.h"

#include <algorithm>
#include <cstring>

#include "device/io/AutoResetEvent.h"

namespace krovel {

namespace {

void CopyText(const std::string& text, char* out, size_t size) {
    const size_t n = std::min(text.size(), size - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

} // namespace

SimulatedFtdiBus::~SimulatedFtdiBus() {
    // Feeds may still run their own threads; stop them before the bus goes away.
    std::vector<std::shared_ptr<SimulatedDeviceFeed>> running;
    {
        std::lock_guard lock(mutex_);
        for (auto& [handle, open] : handles_)
            if (open.feedStarted) running.push_back(devices_[open.device].feed);
        handles_.clear();
    }
    for (auto& feed : running) feed->Stop();
}

int SimulatedFtdiBus::AddDevice(std::string description, std::string serialNumber,
                                std::shared_ptr<SimulatedDeviceFeed> feed) {
    std::lock_guard lock(mutex_);
    devices_.push_back({std::move(description), std::move(serialNumber), std::move(feed)});
    return static_cast<int>(devices_.size()) - 1;
}

void SimulatedFtdiBus::Unplug(int id) {
    std::shared_ptr<SimulatedDeviceFeed> stop;
    {
        std::lock_guard lock(mutex_);
        Device& device = devices_.at(id);
        device.present = false;
        if (OpenHandle* open = Find(device.handle)) {
            open->gone = true;
            open->received.clear();
            if (open->feedStarted) stop = device.feed;
            open->feedStarted = false;
        }
    }
    if (stop) stop->Stop();
}

void SimulatedFtdiBus::UnplugAfterClose(int id) {
    std::lock_guard lock(mutex_);
    devices_.at(id).unplugAfterClose = true;
}

bool SimulatedFtdiBus::Send(int id, std::span<const uint8_t> bytes) {
    std::lock_guard lock(mutex_);
    const Device& device = devices_.at(id);
    OpenHandle* open = Find(device.handle);
    if (!open || open->gone) return false;
    Deliver(device.handle, bytes);
    return true;
}

bool SimulatedFtdiBus::WaitUntilListening(int id, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return listening_.wait_for(lock, timeout, [&] {
        OpenHandle* open = Find(devices_.at(id).handle);
        return open && open->listening;
    });
}

int SimulatedFtdiBus::OpenCount(int id) const {
    std::lock_guard lock(mutex_);
    return devices_.at(id).opens;
}

int SimulatedFtdiBus::CloseCount(int id) const {
    std::lock_guard lock(mutex_);
    return devices_.at(id).closes;
}

bool SimulatedFtdiBus::IsOpen(int id) const {
    std::lock_guard lock(mutex_);
    return devices_.at(id).handle != InvalidFtHandle;
}

SimulatedFtdiBus::OpenHandle* SimulatedFtdiBus::Find(FtHandle handle) {
    auto it = handles_.find(handle);
    return it == handles_.end() ? nullptr : &it->second;
}

FtStatus SimulatedFtdiBus::Check(FtHandle handle) {
    const OpenHandle* open = Find(handle);
    if (!open) return FT_INVALID_HANDLE;
    return open->gone ? FT_IO_ERROR : FT_OK;
}

void SimulatedFtdiBus::Deliver(FtHandle handle, std::span<const uint8_t> bytes) {
    OpenHandle* open = Find(handle);
    if (!open || open->gone || bytes.empty()) return;
    open->received.insert(open->received.end(), bytes.begin(), bytes.end());
    if (open->event) open->event->Signal();
}

FtStatus SimulatedFtdiBus::FT_Open(int deviceNumber, FtHandle* handle) {
    std::lock_guard lock(mutex_);
    *handle = InvalidFtHandle;
    int listed = 0;
    for (size_t id = 0; id < devices_.size(); ++id) {
        Device& device = devices_[id];
        if (!device.present) continue;
        if (listed++ != deviceNumber) continue;
        if (device.handle != InvalidFtHandle) return FT_DEVICE_NOT_OPENED; // already in use
        device.handle = nextHandle_++;
        device.opens += 1;
        handles_[device.handle] = OpenHandle{static_cast<int>(id)};
        *handle = device.handle;
        return FT_OK;
    }
    return FT_DEVICE_NOT_FOUND;
}

FtStatus SimulatedFtdiBus::FT_Close(FtHandle handle) {
    std::shared_ptr<SimulatedDeviceFeed> stop;
    {
        std::lock_guard lock(mutex_);
        OpenHandle* open = Find(handle);
        if (!open) return FT_INVALID_HANDLE;
        Device& device = devices_[open->device];
        if (open->feedStarted) stop = device.feed;
        device.handle = InvalidFtHandle;
        device.closes += 1;
        if (device.unplugAfterClose) device.present = false;
        handles_.erase(handle);
    }
    if (stop) stop->Stop();
    return FT_OK;
}

FtStatus SimulatedFtdiBus::FT_Read(FtHandle handle, void* buffer, uint32_t bytesToRead,
                                   uint32_t* bytesReturned) {
    std::lock_guard lock(mutex_);
    *bytesReturned = 0;
    if (FtStatus status = Check(handle); status != FT_OK) return status;
    std::vector<uint8_t>& received = Find(handle)->received;
    const size_t n = std::min<size_t>(bytesToRead, received.size());
    std::memcpy(buffer, received.data(), n);
    received.erase(received.begin(), received.begin() + static_cast<std::ptrdiff_t>(n));
    *bytesReturned = static_cast<uint32_t>(n);
    return FT_OK;
}

FtStatus SimulatedFtdiBus::FT_SetBaudRate(FtHandle handle, uint32_t) {
    std::lock_guard lock(mutex_);
    return Check(handle);
}

FtStatus SimulatedFtdiBus::FT_SetDataCharacteristics(FtHandle handle, uint8_t, uint8_t, uint8_t) {
    std::lock_guard lock(mutex_);
    return Check(handle);
}

FtStatus SimulatedFtdiBus::FT_SetDtr(FtHandle handle) {
    std::lock_guard lock(mutex_);
    return Check(handle);
}

FtStatus SimulatedFtdiBus::FT_SetRts(FtHandle handle) {
    std::lock_guard lock(mutex_);
    return Check(handle);
}

FtStatus SimulatedFtdiBus::FT_Purge(FtHandle handle, uint32_t mask) {
    std::shared_ptr<SimulatedDeviceFeed> start;
    {
        std::lock_guard lock(mutex_);
        if (FtStatus status = Check(handle); status != FT_OK) return status;
        OpenHandle* open = Find(handle);
        if (mask & FT_PURGE_RX) open->received.clear();
        // Notification set and buffers purged: the application now listens.
        if (open->event && !open->listening) {
            open->listening = true;
            start = devices_[open->device].feed;
            open->feedStarted = start != nullptr;
            listening_.notify_all();
        }
    }
    if (start) {
        start->Start([this, handle](std::span<const uint8_t> bytes) {
            std::lock_guard lock(mutex_);
            Deliver(handle, bytes);
        });
    }
    return FT_OK;
}

FtStatus SimulatedFtdiBus::FT_SetEventNotification(FtHandle handle, uint32_t mask,
                                                   AutoResetEvent* event) {
    std::lock_guard lock(mutex_);
    if (FtStatus status = Check(handle); status != FT_OK) return status;
    Find(handle)->event = (mask & FT_EVENT_RXCHAR) ? event : nullptr;
    return FT_OK;
}

FtStatus SimulatedFtdiBus::FT_GetStatus(FtHandle handle, uint32_t* rxBytes, uint32_t* txBytes,
                                        uint32_t* eventStatus) {
    std::lock_guard lock(mutex_);
    *rxBytes = *txBytes = *eventStatus = 0;
    if (FtStatus status = Check(handle); status != FT_OK) return status;
    *rxBytes = static_cast<uint32_t>(Find(handle)->received.size());
    return FT_OK;
}

FtStatus SimulatedFtdiBus::FT_ListDevices(uint32_t* locations, uint32_t capacity, uint32_t* count,
                                          uint32_t) {
    std::lock_guard lock(mutex_);
    uint32_t listed = 0;
    for (size_t id = 0; id < devices_.size(); ++id) {
        if (!devices_[id].present) continue;
        if (listed < capacity) locations[listed] = 0x100 + static_cast<uint32_t>(id);
        listed += 1;
    }
    *count = listed;
    return FT_OK;
}

FtStatus SimulatedFtdiBus::FT_GetDeviceInfo(FtHandle handle, char* serialNumber,
                                            char* description) {
    std::lock_guard lock(mutex_);
    if (FtStatus status = Check(handle); status != FT_OK) return status;
    const Device& device = devices_[Find(handle)->device];
    CopyText(device.serialNumber, serialNumber, FtSerialNumberSize);
    CopyText(device.description, description, FtDescriptionSize);
    return FT_OK;
}

} // namespace krovel
