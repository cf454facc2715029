#include "measure/core/RepetitionValues.h"

#include <algorithm>

#include "device/core/HandOver.h"
#include "measure/core/LiveMeasurementState.h"

namespace krovel {

float RepetitionValue(int32_t series, int32_t rep, int32_t kind) {
    return RepetitionValue(Series[series], rep, kind);
}

float RepetitionValue(const SeriesRecord& s, int32_t rep, int32_t kind) {
    double value;
    switch (kind) {
    case 0:
        value = s.MeanVelocity[rep] * 2 / 100.0;
        break;
    case 1:
        value = s.MaxVelocity[rep] * 3 / 100.0;
        break;
    case 2:
        // Mean power is the barbell's weight times its mean velocity, multiplied in this
        // order so the float32 result matches the figures of earlier reports.
        value = ((s.MeanVelocity[rep] * 2 / 100.0) * Gravity) * static_cast<double>(s.Mass);
        break;
    case 3:
        value = s.MaxPower[rep];
        break;
    default:
        return NoValue;
    }
    return static_cast<float>(value);
}

double SeriesForce(int32_t series) {
    return static_cast<double>(Series[series].Mass) * Gravity;
}

int32_t UsableRepCount(int32_t series) {
    return UsableRepCount(Series[series]);
}

int32_t UsableRepCount(const SeriesRecord& record) {
    return std::clamp<int32_t>(record.RepCount, 0, MaxRepetitions);
}

bool SeriesShowable(int32_t series) {
    const int32_t stored = std::clamp(LoadSeriesCount(), 0, MaxSeries);
    const bool live = MeasurementIdle == 0 && series == stored && stored < MaxSeries;
    return series >= 0 && (series < stored || live);
}

int32_t IntervalChoiceCount() {
    int32_t largest = UsableRepCount(0);
    for (int32_t s = 1; s < std::min<int32_t>(SeriesCount, MaxSeries); ++s) {
        largest = std::max(largest, UsableRepCount(s));
    }
    return std::max<int32_t>(largest, 1);
}

namespace {

// Walks the groups of `size` consecutive repetitions of n: calls visit(first, end) with
// the 0-based first index and one past the last. A size below 1 is taken as 1, so a bad
// interval can never loop forever.
template <typename Visit> void ForEachGroup(int32_t n, int32_t intervalIndex, Visit visit) {
    const int32_t size = std::max<int32_t>(intervalIndex, 0) + 1;
    for (int32_t i = 0; i < n; i += size) visit(i, std::min(i + size, n));
}

// a / b x 100 in float32; 0 when b is not positive (a series with no power at all).
float Percentage(float a, float b) {
    return b > 0 ? a / b * 100.0f : 0.0f;
}

} // namespace

void GroupMeans(int32_t series, int32_t intervalIndex, int32_t kind, GroupMeanTable& out) {
    const int32_t n = UsableRepCount(series);
    int32_t k = 0;
    ForEachGroup(n, intervalIndex, [&](int32_t first, int32_t end) {
        float sum = 0;
        for (int32_t j = first; j < end; ++j) sum += RepetitionValue(series, j, kind);
        out.Values[k++] = sum / static_cast<float>(end - first);
    });
    out.Count = k;
}

float SeriesPeakPower(int32_t series) {
    const int32_t n = UsableRepCount(series);
    float peak = 0;
    for (int32_t j = 0; j < n; ++j) {
        float v = RepetitionValue(series, j, ValueKind::MeanPower);
        if (v > peak) peak = v;
    }
    return peak;
}

std::vector<GroupStatistic> GroupStatistics(int32_t series, int32_t intervalIndex) {
    const int32_t n = UsableRepCount(series);
    const float peak = SeriesPeakPower(series);
    std::vector<GroupStatistic> groups;
    ForEachGroup(n, intervalIndex, [&](int32_t first, int32_t end) {
        GroupStatistic g;
        g.First = first + 1;
        g.Last = end;
        float sums[ValueKindCount] = {};
        for (int32_t j = first; j < end; ++j) {
            for (int32_t kind = 0; kind < ValueKindCount; ++kind) {
                sums[kind] += RepetitionValue(series, j, kind);
            }
        }
        const float size = static_cast<float>(end - first);
        for (int32_t kind = 0; kind < ValueKindCount; ++kind) g.Mean[kind] = sums[kind] / size;
        g.Percent = Percentage(g.Mean[static_cast<int>(ValueKind::MeanPower)], peak);
        groups.push_back(g);
    });
    return groups;
}

int32_t UpdateLiveSignals(float meanPower, int32_t signalBelowPct, int32_t signalAbovePct) {
    LiveMeasurementState& live = LiveMeasurement;
    if (meanPower > live.LivePeakPower) live.LivePeakPower = meanPower;
    // Set on every repetition, not only on a new best: a new series starts from its own
    // peak and its own percentages, never from the previous series' thresholds.
    live.UpperSignal = static_cast<float>(live.LivePeakPower * (signalAbovePct / 100.0));
    live.LowerSignal = static_cast<float>(live.LivePeakPower * (signalBelowPct / 100.0));
    int32_t sound = NoSignalSound;
    if (meanPower > live.UpperSignal) sound = UpperSignalSound;
    if (meanPower < live.LowerSignal) sound = LowerSignalSound;
    return sound;
}

float LiveRowPercentage(float meanPower) {
    float& peak = LiveMeasurement.RowPeakPower;
    if (peak < meanPower) peak = meanPower;
    return Percentage(meanPower, peak);
}

} // namespace krovel
