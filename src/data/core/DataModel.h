// The process-wide measurement data: up to 1000 series of up to 100 repetitions,
// the header of the current test and the flags that tie the table to files and the UI.
// Everything lives in static storage for the whole run.
#pragma once

#include <cstdint>
#include <string>

namespace krovel {

constexpr int MaxSeries = 1000;
constexpr int MaxRepetitions = 100;

// One stored set. Velocities are bytes (mean in 0.02 m/s, maximum in 0.03 m/s),
// powers float32 watts, the mass float32 kilograms.
struct SeriesRecord {
    int32_t RepCount;
    float Mass;
    int32_t SignalBelowPct;
    int32_t SignalAbovePct;
    uint8_t MeanVelocity[MaxRepetitions];
    uint8_t MaxVelocity[MaxRepetitions];
    float MaxPower[MaxRepetitions];
    int32_t StartTime; // seconds since 1970-01-01 UTC, shown in local time
};

// Sex values are the ids of the SubjectBar's radio buttons.
constexpr int32_t SexFemale = 1001;
constexpr int32_t SexMale = 1002;

// The block the subject registry reads and writes in place.
struct SubjectRecord {
    std::string SubjectName;
    int32_t Sex = 0;
    int32_t SubjectSpare = 0;
    int32_t Height = 0;
    int32_t BodyWeight = 0;
    std::string Comment;
    std::string SubjectSpareText1;
    std::string SubjectSpareText2;
};

struct TestHeaderRecord {
    SubjectRecord Subject;
    std::string Exercise;
    std::string Sport;
    std::string BarbellWeightText;
    float BarbellWeight = 20.0f;
    int32_t SignalBelowPct = 90;
    int32_t SignalAbovePct = 100;
};

// The SeriesTable. Entries 0..SeriesCount-1 are complete; during a live measurement
// the reader thread fills entry SeriesCount (see the decoder for the hand-over).
extern SeriesRecord Series[MaxSeries];
extern int32_t SeriesCount;

extern TestHeaderRecord TestHeader;

extern int32_t CurrentSeries;    // series shown in the bar, table, graphs and export
extern int32_t DataSaved;        // 1: nothing unsaved in the table
extern int32_t MeasurementIdle;  // 1: no live measurement runs
extern int32_t DataPresent;      // 1: the table holds data that can be saved and shown
extern std::string FileName;     // last file saved or loaded, no folder, no extension
extern std::string FileTimeText; // its modification time, " %d.%m.%Y %H:%M "

// Puts the whole model back to its state at program start (tests and start-up).
void ResetDataModel();

// The working thresholds and barbell weight take those of entry i.
void SelectSeriesLimits(int i);

// Index of the series the SubjectBar shows: CurrentSeries, or 0 when it is negative.
inline int ShownSeriesIndex() {
    return CurrentSeries < 0 ? 0 : CurrentSeries;
}

} // namespace krovel
