// Values derived from a stored series: each repetition's velocities and powers, the
// series' force, group means, the percentage against the series' best mean power, and
// the live peak with the two thresholds that decide when a live repetition sounds.
// Nothing here is stored in the series; everything is recomputed from its raw fields.
#pragma once

#include <cstdint>
#include <vector>

#include "data/core/DataModel.h"

namespace krovel {

// The quantity a value, a graph bar or a table column shows. The order is also that of
// the "Parameter Y" combo box, so its selection index is used directly as a kind.
enum class ValueKind : int32_t {
    MeanVelocity = 0, // m/s
    MaxVelocity = 1,  // m/s
    MeanPower = 2,    // W
    MaxPower = 3,     // W
};
constexpr int32_t ValueKindCount = 4;

// 9.81 held as a float32 and used widened to double: exactly 9.8100004196167.
// Power and force figures in files and reports were always computed with this value.
inline constexpr double Gravity = static_cast<double>(9.81f);

// Returned for a kind outside 0..3: the float32 nearest to -99999.9.
inline constexpr float NoValue = -99999.9f;

// Value of repetition rep (0-based) of series `series`, computed in double and rounded
// once to float32. Callers keep series and rep within the table and its RepCount.
float RepetitionValue(int32_t series, int32_t rep, int32_t kind);
inline float RepetitionValue(int32_t series, int32_t rep, ValueKind kind) {
    return RepetitionValue(series, rep, static_cast<int32_t>(kind));
}
// The same for a record outside the table (a file being analysed).
float RepetitionValue(const SeriesRecord& record, int32_t rep, int32_t kind);
inline float RepetitionValue(const SeriesRecord& record, int32_t rep, ValueKind kind) {
    return RepetitionValue(record, rep, static_cast<int32_t>(kind));
}

// Weight of the series' barbell in newtons.
double SeriesForce(int32_t series);

// Number of repetitions to read from a series: its RepCount kept within 0..100, so a
// corrupted count can never index past the arrays.
int32_t UsableRepCount(int32_t series);
int32_t UsableRepCount(const SeriesRecord& record);

// True when the views may show entry `series`: a stored series, or the entry a live
// measurement is filling. Entries beyond them keep what earlier tables left there, so a
// table without series shows none.
bool SeriesShowable(int32_t series);

// Largest group size the interval selection offers: the largest RepCount among the
// complete series (series 0 counts even when none is complete), at least 1.
int32_t IntervalChoiceCount();

// The exercise graph's bars: the mean of one kind over each group of consecutive
// repetitions.
struct GroupMeanTable {
    float Values[MaxRepetitions] = {};
    int32_t Count = 0;
};

// Groups of intervalIndex + 1 repetitions (the last one may be shorter). With no
// repetition Count becomes 0 and Values keep what they held.
void GroupMeans(int32_t series, int32_t intervalIndex, int32_t kind, GroupMeanTable& out);

// One row of the digital report.
struct GroupStatistic {
    int32_t First = 0;               // first repetition of the group, counted from 1
    int32_t Last = 0;                // last repetition of the group, counted from 1
    float Mean[ValueKindCount] = {}; // group means, indexed by ValueKind
    float Percent = 0;               // group mean power against the series' peak mean power, in %
};

// Peak mean power of the series: the largest mean power of its repetitions, 0 if none.
float SeriesPeakPower(int32_t series);

// One entry per group of intervalIndex + 1 repetitions, in order; empty without
// repetitions. A series whose peak mean power is 0 gets 0 % in every group.
std::vector<GroupStatistic> GroupStatistics(int32_t series, int32_t intervalIndex);

// Sound kinds as SignalSound plays them.
constexpr int32_t NoSignalSound = 0;
constexpr int32_t UpperSignalSound = 2; // "zvukMaxp": above the upper share of the peak
constexpr int32_t LowerSignalSound = 3; // "zvukKrit": below the lower share of the peak

// Takes the mean power of the live repetition being shown and the "Signal below" and
// "Signal above" percentages of its own series: raises the peak when it is a new best,
// sets the two thresholds from the peak and those percentages, then tells which sound to
// play. Plays nothing itself. The peak and thresholds are those of LiveMeasurement. When both
// thresholds are crossed (possible only with "Signal above" below "Signal below") the lower sound
// is returned: a new clip cuts the playing one at once, so the lower one is what would be heard
// anyway.
int32_t UpdateLiveSignals(float meanPower, int32_t signalBelowPct, int32_t signalAbovePct);

// Percentage of a live row's mean power against LiveMeasurement.RowPeakPower, after raising the
// peak to it. 0 while the peak is 0, so no division by zero reaches a table.
float LiveRowPercentage(float meanPower);

} // namespace krovel
