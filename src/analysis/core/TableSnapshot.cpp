#include "analysis/core/TableSnapshot.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace krovel {

namespace {

// FNV-1a: fast on a few kilobytes and good enough to notice an edit.
class Fingerprint {
public:
    void add(const void* data, size_t size) {
        const auto* bytes = static_cast<const uint8_t*>(data);
        for (size_t i = 0; i < size; ++i) hash_ = (hash_ ^ bytes[i]) * 1099511628211ull;
    }
    template <typename T> void add(const T& value) { add(&value, sizeof value); }
    uint64_t value() const { return hash_; }

private:
    uint64_t hash_ = 14695981039346656037ull;
};

} // namespace

int32_t CompleteSeriesCount() {
    const int32_t count = std::atomic_ref<int32_t>(SeriesCount).load(std::memory_order_acquire);
    return std::clamp<int32_t>(count, 0, MaxSeries);
}

TableSnapshot TakeTableSnapshot() {
    const int32_t count = CompleteSeriesCount();
    return {TestHeader.Exercise, std::vector<SeriesRecord>(Series, Series + count)};
}

uint64_t TableFingerprint() {
    Fingerprint f;
    f.add(TestHeader.Exercise.data(), TestHeader.Exercise.size());
    const int32_t count = CompleteSeriesCount();
    f.add(count);
    for (int32_t s = 0; s < count; ++s) {
        const SeriesRecord& r = Series[s];
        const int32_t reps = std::clamp<int32_t>(r.RepCount, 0, MaxRepetitions);
        f.add(reps);
        f.add(r.Mass);
        f.add(r.StartTime);
        f.add(r.MeanVelocity, static_cast<size_t>(reps));
    }
    return f.value();
}

} // namespace krovel
