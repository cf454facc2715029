// The demo device: a simulated "Kinetrak Basic" on a simulated FTDI bus that plays the
// built-in session as an athlete trains it. Opened for a live measurement it sends one
// set of the session, a repetition at device pace: Perform (the link opens on an empty
// table) gets the first set, each Append set the next, heavier one, and after the last
// set the session starts again. Opened for an import it sends the whole session as the
// stored series, in one bulk transfer.
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
    // bulkMode tells, when the application starts listening, which stream it expects;
    // firstSet whether a live measurement starts the session from its first set.
    DemoDeviceFeed(std::function<bool()> bulkMode, std::function<bool()> firstSet, DevicePace pace);
    ~DemoDeviceFeed() override;
    void Start(Sender send) override;
    void Stop() override;

private:
    // The whole session as one transfer when bulk, else the set of the session at setIndex.
    void Play(const Sender& send, bool bulk, size_t setIndex);
    // Waits ms unless stopped first; false when stopped.
    bool Pause(int ms);

    std::function<bool()> bulkMode_;
    std::function<bool()> firstSet_;
    DevicePace pace_;
    // The set the next live measurement plays. The bus, and so this feed, lives as long
    // as the process (FtdiBackend keeps it), so the count runs across measurements as
    // the unit's own does; Start alone reads and advances it.
    size_t nextSet_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
};

// A bus with the demo device, which reads the bulk mode from the link's request and
// starts the session again when a live link opens on an empty table.
std::unique_ptr<SimulatedFtdiBus> MakeDemoBus(DevicePace pace = DemoPace());

} // namespace krovel
