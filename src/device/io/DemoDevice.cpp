#include "device/io/DemoDevice.h"

#include <algorithm>
#include <cstdlib>

#include "device/core/DeviceSession.h"
#include "device/core/HandOver.h"
#include "device/core/StreamDecoder.h"
#include "device/io/UsbTransport.h"

namespace krovel {

namespace {

// The unit sends at 57600 baud: about 5.8 bytes per millisecond.
constexpr size_t BulkChunk = 64;
constexpr int BulkChunkMs = 11;

} // namespace

DevicePace DemoPace() {
    DevicePace pace;
    if (const char* text = std::getenv("KROVEL_DEMO_PACE_MS")) {
        char* end = nullptr;
        const long ms = std::strtol(text, &end, 10);
        if (end != text && *end == '\0' && ms >= 0 && ms <= 60000) {
            pace.RepIntervalMs = static_cast<int>(ms);
            pace.SetPauseMs = static_cast<int>(ms * 3);
            pace.BulkDelayMs = static_cast<int>(std::min(ms, 500L));
        }
    }
    return pace;
}

DemoDeviceFeed::DemoDeviceFeed(std::function<bool()> bulkMode, std::function<bool()> firstSet,
                               DevicePace pace)
    : bulkMode_(std::move(bulkMode)), firstSet_(std::move(firstSet)), pace_(pace) {}

DemoDeviceFeed::~DemoDeviceFeed() {
    Stop();
}

void DemoDeviceFeed::Start(Sender send) {
    Stop();
    const bool bulk = bulkMode_();
    size_t setIndex = 0;
    if (!bulk) {
        // A set cut short by STOP counts as played: Append set goes on with the next load.
        if (firstSet_()) nextSet_ = 0;
        setIndex = nextSet_;
        nextSet_ = (nextSet_ + 1) % BuiltInSession().size();
    }
    {
        std::lock_guard lock(mutex_);
        stop_ = false;
    }
    thread_ =
        std::thread([this, send = std::move(send), bulk, setIndex] { Play(send, bulk, setIndex); });
}

void DemoDeviceFeed::Stop() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

bool DemoDeviceFeed::Pause(int ms) {
    std::unique_lock lock(mutex_);
    return !wake_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stop_; });
}

void DemoDeviceFeed::Play(const Sender& send, bool bulk, size_t setIndex) {
    const std::vector<SessionSet> session = BuiltInSession();
    if (bulk) {
        if (!Pause(pace_.BulkDelayMs)) return;
        const std::vector<uint8_t> transfer = EncodeBulkTransfer(session);
        for (size_t at = 0; at < transfer.size(); at += BulkChunk) {
            const size_t n = std::min(BulkChunk, transfer.size() - at);
            send(std::span(transfer).subspan(at, n));
            if (pace_.RepIntervalMs > 0 && !Pause(BulkChunkMs)) return;
        }
        return;
    }
    const std::span set(&session.at(setIndex), 1);
    for (const TimedFrame& frame : LiveTimeline(set, pace_.RepIntervalMs, pace_.SetPauseMs)) {
        if (!Pause(frame.DelayMs)) return;
        send(frame.Bytes);
    }
}

std::unique_ptr<SimulatedFtdiBus> MakeDemoBus(DevicePace pace) {
    auto bus = std::make_unique<SimulatedFtdiBus>();
    auto bulkMode = [] {
        const LinkRequestRecord* request = AttachedLinkRequest();
        return request && request->BulkMode == 1;
    };
    auto firstSet = [] { return LoadSeriesCount() == 0; };
    bus->AddDevice(DeviceDescription, "KB0417",
                   std::make_shared<DemoDeviceFeed>(bulkMode, firstSet, pace));
    return bus;
}

} // namespace krovel
