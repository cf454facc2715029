// Hand-over of the live entry between the link's reader thread and the UI thread.
//
// The reader (DecodeByte) stores a repetition's fields first and then raises the
// entry's RepCount with a release store; at a series-start marker it zeroes the new
// entry's RepCount and then raises SeriesCount with a release store; Finished is set
// with a release store too. The UI thread reads these three with the acquire loads
// below and reads a series' arrays only below the RepCount it loaded, so it never sees
// a repetition half written. The model keeps plain int32_t fields; std::atomic_ref
// gives them atomic access where the two threads meet.
#pragma once

#include <atomic>
#include <cstdint>

#include "data/core/DataModel.h"
#include "device/core/StreamDecoder.h"

namespace krovel {

namespace handover_detail {
inline std::atomic_ref<int32_t> Ref(int32_t& v) {
    return std::atomic_ref<int32_t>(v);
}
// atomic_ref of a const object is not available before C++26; loading does not write.
inline std::atomic_ref<int32_t> Ref(const int32_t& v) {
    return std::atomic_ref<int32_t>(const_cast<int32_t&>(v));
}
} // namespace handover_detail

inline int32_t LoadSeriesCount() {
    return handover_detail::Ref(SeriesCount).load(std::memory_order_acquire);
}
inline void StoreSeriesCount(int32_t count) {
    handover_detail::Ref(SeriesCount).store(count, std::memory_order_release);
}

inline int32_t LoadRepCount(int series) {
    return handover_detail::Ref(Series[series].RepCount).load(std::memory_order_acquire);
}
inline void StoreRepCount(int series, int32_t count) {
    handover_detail::Ref(Series[series].RepCount).store(count, std::memory_order_release);
}

inline int32_t LoadFinished(const LinkRequestRecord& request) {
    return handover_detail::Ref(request.Finished).load(std::memory_order_acquire);
}
inline void StoreFinished(LinkRequestRecord& request, int32_t finished) {
    handover_detail::Ref(request.Finished).store(finished, std::memory_order_release);
}

// Progress of a bulk transfer (the import dialog's timer).
inline int32_t LoadBulkCount() {
    return BulkCollector.BulkCount.load(std::memory_order_acquire);
}
inline int32_t LoadBulkLength() {
    return BulkCollector.BulkLength.load(std::memory_order_acquire);
}

// The barbell mass and thresholds of the live entry. Every frame may rewrite them, so
// while the reader runs they are read atomically; each field holds the value of the
// latest frame (the three may come from consecutive frames). The decoder writes them
// only when a frame changes them, so a steady series never writes them after its
// first repetition.
struct SeriesLimits {
    float Mass;
    int32_t SignalBelowPct;
    int32_t SignalAbovePct;
};
inline SeriesLimits LoadSeriesLimits(int series) {
    SeriesRecord& rec = Series[series];
    return {std::atomic_ref<float>(rec.Mass).load(std::memory_order_relaxed),
            handover_detail::Ref(rec.SignalBelowPct).load(std::memory_order_relaxed),
            handover_detail::Ref(rec.SignalAbovePct).load(std::memory_order_relaxed)};
}

} // namespace krovel
