// The demo device: a simulated "Kinetrak Basic" on a simulated FTDI bus that plays the
// built-in session. Opened for a live measurement it sends one repetition at device pace;
// opened for an import it sends the stored series as one bulk transfer.
#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "device/io/SimulatedFtdiBus.h"

namespace krovel {

struct DevicePace {
    int RepIntervalMs = 2000; // before each repetition
    int SetPauseMs = 6000;    // before the first repetition of each later set
    int BulkDelayMs = 500;    // before a bulk transfer starts (the user presses send)
};

// The pace of the demo device: the device's own, or KROVEL_DEMO_PACE_MS as the interval
// between repetitions (0 plays everything at once), with the other pauses scaled to it.
DevicePace DemoPace();

class DemoDeviceFeed : public SimulatedDeviceFeed {
public:
    // bulkMode tells, when the application starts listening, which stream it expects.
    DemoDeviceFeed(std::function<bool()> bulkMode, DevicePace pace);
    ~DemoDeviceFeed() override;
    void Start(Sender send) override;
    void Stop() override;

private:
    void Play(const Sender& send, bool bulk);
    // Waits ms unless stopped first; false when stopped.
    bool Pause(int ms);

    std::function<bool()> bulkMode_;
    DevicePace pace_;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
};

// A bus with the demo device, which reads the bulk mode from the link's request.
std::unique_ptr<SimulatedFtdiBus> MakeDemoBus(DevicePace pace = DemoPace());

} // namespace krovel
