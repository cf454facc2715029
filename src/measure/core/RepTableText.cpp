#include "measure/core/RepTableText.h"

#include "data/core/DataModel.h"
#include "data/core/TextFormat.h"
#include "measure/core/RepetitionValues.h"

namespace krovel {

const std::array<RepColumn, RepColumnCount> RepColumns = {{
    {"Rep No", 70, CellAlign::Right},
    {"Weight (kg)", 100, CellAlign::Right},
    {"Force (N)", 100, CellAlign::Right},
    {"v mean(m/s)", 100, CellAlign::Right},
    {"v max(m/s)", 100, CellAlign::Right},
    {"P mean(W)", 100, CellAlign::Right},
    {"%", 100, CellAlign::Right},
    {"P max(W)", 100, CellAlign::Right},
}};

namespace {

std::string Value(double v) {
    return FormatText("%6.2f", v);
}
std::string Percent(double v) {
    return FormatText("%6.1f", v);
}

// Cells 1..7 share one layout for live and grouped rows; only their sources differ.
RepRowText RowCells(std::string number, int32_t series, const float (&values)[ValueKindCount],
                    float percent) {
    const double mass = Series[series].Mass;
    return {std::move(number), Value(mass),      Value(SeriesForce(series)), Value(values[0]),
            Value(values[1]),  Value(values[2]), Percent(percent),           Value(values[3])};
}

} // namespace

RepRowText LiveRowCells(int32_t series, int32_t rep) {
    float values[ValueKindCount];
    for (int32_t kind = 0; kind < ValueKindCount; ++kind) {
        values[kind] = RepetitionValue(series, rep, kind);
    }
    const float percent = LiveRowPercentage(values[static_cast<int>(ValueKind::MeanPower)]);
    return RowCells(FormatText("%d", rep + 1), series, values, percent);
}

std::vector<RepRowText> DigitalReportRows(int32_t series, int32_t intervalIndex) {
    std::vector<RepRowText> rows;
    for (const GroupStatistic& g : GroupStatistics(series, intervalIndex)) {
        rows.push_back(
            RowCells(FormatText(" %3d-%3d", g.First, g.Last), series, g.Mean, g.Percent));
    }
    return rows;
}

} // namespace krovel
