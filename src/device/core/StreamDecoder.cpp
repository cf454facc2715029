#include "device/core/StreamDecoder.h"

#include <algorithm>

#include "data/core/DataModel.h"
#include "device/core/HandOver.h"

namespace krovel {

LiveDecoderState LiveDecoder;
BulkCollectorState BulkCollector;

namespace {

// Offsets of the live frame's data bytes.
enum FrameOffset {
    MarkerAt = 0,
    MassAt = 1,
    BelowAt = 2,
    AboveAt = 3,
    MeanVelocityAt = 4,
    MaxVelocityAt = 5,
    PowerLoAt = 6,
    PowerHiAt = 7,
};

// The UI thread may read the live entry's mass and thresholds at any time; writing only
// on a change keeps a steady series from rewriting them under it, and the store is
// atomic for the rare frame that does change them.
template <class T> void StoreIfChanged(T& field, T value) {
    if (field != value) std::atomic_ref<T>(field).store(value, std::memory_order_relaxed);
}

void ProcessLiveFrame(LinkRequestRecord& request) {
    int32_t s = std::atomic_ref<int32_t>(SeriesCount).load(std::memory_order_relaxed);
    if (s < 0) return; // a corrupted count: there is no entry to write
    if (s >= MaxSeries) {
        // Only reachable if a link was opened on a full table: nothing may be written.
        StoreFinished(request, 1);
        return;
    }
    if (LiveDecoder.Frame[MarkerAt] == SeriesStartMarker) {
        if (request.SkipFirstMarker && request.RepIndex == 0) {
            // The measurement opened this entry empty: the marker starts it, not a new one.
            request.SkipFirstMarker = 0;
        } else {
            // Close the open series (its RepCount already equals RepIndex) and open the next.
            ++s;
            request.RepIndex = 0;
            if (s == MaxSeries) {
                StoreSeriesCount(s);
                StoreFinished(request, 1); // table full: the live measurement stops
                return;
            }
            // The new entry may still hold the count of an earlier table; publish it empty.
            std::atomic_ref<int32_t>(Series[s].RepCount).store(0, std::memory_order_relaxed);
            StoreSeriesCount(s);
        }
    }
    const int32_t r = request.RepIndex;
    // A series already holding 100 repetitions keeps them; further frames are dropped
    // until the next series-start marker.
    if (r < 0 || r >= MaxRepetitions) return;

    SeriesRecord& rec = Series[s];
    StoreIfChanged(rec.Mass, static_cast<float>(LiveDecoder.Frame[MassAt]));
    StoreIfChanged(rec.SignalBelowPct, static_cast<int32_t>(LiveDecoder.Frame[BelowAt]));
    StoreIfChanged(rec.SignalAbovePct, static_cast<int32_t>(LiveDecoder.Frame[AboveAt]));
    rec.MeanVelocity[r] = LiveDecoder.Frame[MeanVelocityAt];
    rec.MaxVelocity[r] = LiveDecoder.Frame[MaxVelocityAt];
    rec.MaxPower[r] = DevicePower(LiveDecoder.Frame[PowerLoAt], LiveDecoder.Frame[PowerHiAt]);
    request.RepIndex = r + 1;
    // The unit was already inside a set when the link opened: that set's repetitions
    // fill the opened entry, and the next marker is a real new set.
    request.SkipFirstMarker = 0;
    StoreRepCount(s, r + 1); // last store: publishes the repetition
}

void DecodeLiveByte(LinkRequestRecord& request, uint8_t b) {
    if (LiveDecoder.WaitingStart) {
        if (b == 0x00) {
            LiveDecoder.WaitingStart = 0;
            LiveDecoder.Collecting = 1;
            LiveDecoder.FrameLength = 0;
        }
        return;
    }
    if (!LiveDecoder.Collecting) return; // no live link was opened yet
    if (LiveDecoder.FrameLength < 0 || LiveDecoder.FrameLength >= LiveFrameLength) {
        LiveDecoder.Reset(); // state damaged from outside: wait for the next start byte
        return;
    }
    LiveDecoder.Frame[LiveDecoder.FrameLength++] = b;
    if (LiveDecoder.FrameLength == LiveFrameLength) {
        ProcessLiveFrame(request);
        LiveDecoder.Collecting = 0;
        LiveDecoder.FrameLength = 0;
        LiveDecoder.WaitingStart = 1;
    }
}

void CollectBulkByte(LinkRequestRecord& request, uint8_t b) {
    int32_t count = BulkCollector.BulkCount.load(std::memory_order_relaxed);
    if (count < 0 || count >= BulkBufferSize) {
        StoreFinished(request, 1); // never store past the buffer
        return;
    }
    BulkCollector.BulkBuffer[count++] = b;
    if (count == 2)
        BulkCollector.BulkLength.store(BulkCollector.BulkBuffer[1] * 256 +
                                           BulkCollector.BulkBuffer[0],
                                       std::memory_order_relaxed);
    BulkCollector.BulkCount.store(count, std::memory_order_release);
    // From the third byte on; a declared length of 0..2 therefore ends at the third.
    if (count >= 3 && count >= BulkCollector.BulkLength.load(std::memory_order_relaxed)) {
        StoreFinished(request, 1); // releases the buffer to the parser
    }
}

} // namespace

void AttachLinkRequest(LinkRequestRecord* request) {
    LiveDecoder.AttachedRequest.store(request, std::memory_order_release);
}

LinkRequestRecord* AttachedLinkRequest() {
    return LiveDecoder.AttachedRequest.load(std::memory_order_acquire);
}

void DecodeByte(uint8_t b) {
    LinkRequestRecord* request = LiveDecoder.AttachedRequest.load(std::memory_order_acquire);
    if (!request || LoadFinished(*request)) return;
    if (request->BulkMode == 1) {
        CollectBulkByte(*request, b);
    } else {
        DecodeLiveByte(*request, b);
    }
}

void LiveDecoderState::Reset() {
    WaitingStart = 1;
    Collecting = 0;
    FrameLength = 0;
}

void BulkCollectorState::Reset() {
    BulkCount.store(0, std::memory_order_relaxed);
    BulkLength.store(0, std::memory_order_relaxed);
}

float DevicePower(uint8_t lo, uint8_t hi) {
    const double watts = (static_cast<double>(hi) - 128.0) * 128.0 + (lo - 1.0) * 0.5;
    return static_cast<float>(watts);
}

int32_t ParseBulkTransfer(int32_t startTime) {
    // Only bytes that both arrived and lie inside the declared length are read. A block
    // cut off by the end of the data ends there; a repetition entry is taken only whole.
    const int32_t end = std::min({LoadBulkLength(), LoadBulkCount(), BulkBufferSize});
    auto at = [end](int32_t i) -> uint8_t { return i < end ? BulkCollector.BulkBuffer[i] : 0; };

    int32_t blocks = 0;
    int32_t p = 2;
    while (p < end) {
        // Blocks beyond the table's last record are read past, not stored.
        SeriesRecord* rec = blocks < MaxSeries ? &Series[blocks] : nullptr;
        if (rec) {
            rec->StartTime = startTime;
            rec->Mass = at(p);
            rec->SignalBelowPct = at(p + 1);
            rec->SignalAbovePct = at(p + 2);
        }
        p += 3;
        int32_t k = 0;
        // A mean velocity of 0 is the block's terminator.
        while (p < end && BulkCollector.BulkBuffer[p] != 0) {
            if (end - p < 4) { // the data ends inside this repetition
                p = end;
                break;
            }
            // A block listing more than 100 repetitions keeps the first 100.
            if (rec && k < MaxRepetitions) {
                rec->MeanVelocity[k] = BulkCollector.BulkBuffer[p];
                rec->MaxVelocity[k] = BulkCollector.BulkBuffer[p + 1];
                rec->MaxPower[k] =
                    DevicePower(BulkCollector.BulkBuffer[p + 2], BulkCollector.BulkBuffer[p + 3]);
            }
            ++k;
            p += 4;
        }
        if (rec) rec->RepCount = std::min(k, MaxRepetitions);
        p += 1;
        ++blocks;
    }
    // The transfer's last block is never kept. Up to 1000 blocks before it fill the table.
    const int32_t kept = std::clamp(blocks - 1, 0, MaxSeries);
    StoreSeriesCount(kept);
    return kept;
}

} // namespace krovel
