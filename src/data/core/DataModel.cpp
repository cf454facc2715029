#include "data/core/DataModel.h"

#include <cstring>

namespace krovel {

SeriesRecord Series[MaxSeries];
int32_t SeriesCount = 0;
TestHeaderRecord TestHeader;
int32_t CurrentSeries = 0;
int32_t DataSaved = 1;
int32_t MeasurementIdle = 1;
int32_t DataPresent = 0;
std::string FileName;
std::string FileTimeText;

void ResetDataModel() {
    std::memset(Series, 0, sizeof Series);
    SeriesCount = 0;
    TestHeader = TestHeaderRecord{};
    CurrentSeries = 0;
    DataSaved = 1;
    MeasurementIdle = 1;
    DataPresent = 0;
    FileName.clear();
    FileTimeText.clear();
}

void SelectSeriesLimits(int i) {
    if (i < 0 || i >= MaxSeries) return;
    TestHeader.SignalBelowPct = Series[i].SignalBelowPct;
    TestHeader.SignalAbovePct = Series[i].SignalAbovePct;
    TestHeader.BarbellWeight = Series[i].Mass;
}

} // namespace krovel
