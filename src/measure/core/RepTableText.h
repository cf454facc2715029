// The repetition table's content as plain strings: column titles and widths, the cells
// of a live row and the rows of the digital report. The list widget, the spreadsheet
// export, the printed report and krovel-cli all show these same strings, so a number
// looks the same everywhere (the user's decimal separator included).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace krovel {

constexpr int RepColumnCount = 8;

enum class CellAlign { Left, Center, Right };

struct RepColumn {
    const char* Title;
    int Width; // pixels on screen, points in the spreadsheet
    CellAlign Align;
};

// "Rep No", "Weight (kg)", "Force (N)", "v mean(m/s)", "v max(m/s)", "P mean(W)", "%",
// "P max(W)": 70 wide for the first, 100 for the others, all right-aligned.
extern const std::array<RepColumn, RepColumnCount> RepColumns;

using RepRowText = std::array<std::string, RepColumnCount>;

// The cells of live row `rep` of `series`: repetition number, weight, force, the four
// values and the percentage against the best mean power of the live rows so far.
// Raises RowPeakPower, so call it once per row in order, after RowPeakPower = 0 for a
// new series.
RepRowText LiveRowCells(int32_t series, int32_t rep);

// The digital report of `series`: one row per group of intervalIndex + 1 repetitions,
// numbered " %3d-%3d" by first and last repetition; empty when the series has none.
std::vector<RepRowText> DigitalReportRows(int32_t series, int32_t intervalIndex);

} // namespace krovel
