#include "measure/core/LoadPoints.h"

#include "measure/core/RepetitionValues.h"

#include <algorithm>
#include <cmath>

namespace krovel {

namespace {

// Of each kept repetition only the two values the point averages are needed.
struct KeptRepetition {
    float MeanVelocity;
    float MeanPower;
};

// The `capacity` best repetitions of one load, highest mean velocity first.
class BestRepetitions {
public:
    explicit BestRepetitions(int32_t capacity) : capacity_(capacity) {}

    // Goes before the first kept entry whose velocity is less than or equal to its own,
    // so of two equal velocities the later repetition stands first; whatever is pushed
    // past the capacity drops out.
    void offer(const KeptRepetition& r) {
        int32_t pos = 0;
        while (pos < count_ && kept_[pos].MeanVelocity > r.MeanVelocity) ++pos;
        if (pos >= capacity_) return;
        const int32_t last = std::min(count_, capacity_ - 1);
        for (int32_t i = last; i > pos; --i) kept_[i] = kept_[i - 1];
        kept_[pos] = r;
        count_ = std::min(count_ + 1, capacity_);
    }

    // Whether offer() would keep a repetition of this velocity. A full list passes over
    // one no faster than its last entry: that one is either dropped at once or, at an
    // equal velocity, replaces an entry of the same load with the very same values.
    bool wouldKeep(float meanVelocity) const {
        return count_ < capacity_ || kept_[count_ - 1].MeanVelocity < meanVelocity;
    }

    float averageAboveBound(float KeptRepetition::*field) const {
        float sum = 0;
        int32_t used = 0;
        for (int32_t i = 0; i < count_; ++i) {
            const float v = kept_[i].*field;
            if (v > LoadValueBound) {
                sum += v;
                ++used;
            }
        }
        return used > 0 ? sum / static_cast<float>(used) : 0.0f;
    }

private:
    KeptRepetition kept_[MaxRepetitions];
    int32_t count_ = 0;
    int32_t capacity_;
};

// Exchange sort, stable: a pair is swapped only when the later value is strictly smaller.
// It stops once a pass swaps nothing, since every further pass would then do the same;
// that gives exactly the order of the full count of passes, also with NaN values.
void ExchangeSort(LoadPointSet& set, int32_t quantity) {
    const int32_t n = set.Count;
    for (int32_t pass = 0; pass + 1 < n; ++pass) {
        bool swapped = false;
        for (int32_t i = 0; i + 1 < n; ++i) {
            if (set.Points[i + 1].Values[quantity] < set.Points[i].Values[quantity]) {
                std::swap(set.Points[i], set.Points[i + 1]);
                swapped = true;
            }
        }
        if (!swapped) break;
    }
}

// Ascending by one quantity, equal values keeping their order. Without NaN the values
// are totally ordered and every stable sort gives the exchange sort's order, so the
// points are sorted in n log n by (value, position); a NaN (a damaged file) makes the
// order depend on the exchange sort's steps, which are then followed literally.
void SortByQuantity(LoadPointSet& set, int32_t quantity) {
    const int32_t n = set.Count;
    struct Key {
        float value;
        int32_t position;
    };
    Key keys[MaxSeries];
    for (int32_t i = 0; i < n; ++i) {
        keys[i] = {set.Points[i].Values[quantity], i};
        if (std::isnan(keys[i].value)) return ExchangeSort(set, quantity);
    }
    std::sort(keys, keys + n, [](const Key& a, const Key& b) {
        return a.value < b.value || (a.value == b.value && a.position < b.position);
    });
    LoadPoint unsorted[MaxSeries];
    std::copy(set.Points, set.Points + n, unsorted);
    for (int32_t i = 0; i < n; ++i) set.Points[i] = unsorted[keys[i].position];
}

} // namespace

void BuildLoadPoints(int32_t seriesCount, int32_t bestCount, int32_t sortQuantity,
                     LoadPointSet& out) {
    const int32_t n = std::clamp<int32_t>(seriesCount, 0, MaxSeries);
    BuildLoadPoints(std::span<const SeriesRecord>(Series, static_cast<size_t>(n)), bestCount,
                    sortQuantity, out);
}

void BuildLoadPoints(std::span<const SeriesRecord> table, int32_t bestCount, int32_t sortQuantity,
                     LoadPointSet& out) {
    const int32_t n = static_cast<int32_t>(std::min<size_t>(table.size(), MaxSeries));
    const int32_t best = std::clamp<int32_t>(bestCount, 1, MaxRepetitions);
    bool taken[MaxSeries] = {};
    out.Count = 0;
    for (int32_t k = 0; k < n; ++k) {
        if (taken[k]) continue;
        const float mass = table[k].Mass;
        BestRepetitions kept(best);
        int32_t repetitions = 0;
        for (int32_t j = k; j < n; ++j) {
            // Series k always belongs to the load it opens, even with a mass that equals
            // nothing (NaN from a damaged file).
            if (taken[j] || (j != k && !(table[j].Mass == mass))) continue;
            taken[j] = true;
            const int32_t reps = UsableRepCount(table[j]);
            repetitions += reps;
            for (int32_t r = 0; r < reps; ++r) {
                const float v = RepetitionValue(table[j], r, ValueKind::MeanVelocity);
                if (!kept.wouldKeep(v)) continue;
                kept.offer({v, RepetitionValue(table[j], r, ValueKind::MeanPower)});
            }
        }
        LoadPoint& p = out.Points[out.Count++];
        p.Values[int(PlotQuantity::Mass)] = mass;
        p.Values[int(PlotQuantity::Force)] =
            static_cast<float>(static_cast<double>(mass) * Gravity);
        p.Values[int(PlotQuantity::Velocity)] =
            kept.averageAboveBound(&KeptRepetition::MeanVelocity);
        p.Values[int(PlotQuantity::Power)] = kept.averageAboveBound(&KeptRepetition::MeanPower);
        p.Repetitions = repetitions;
    }
    SortByQuantity(out, ValidPlotQuantity(sortQuantity));
}

} // namespace krovel
