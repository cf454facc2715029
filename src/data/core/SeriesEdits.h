// The two edits the digital report offers: removing one repetition of a series and
// removing one series from the table. Both run on the user-interface thread while no
// link is open.
#pragma once

#include <cstdint>

namespace krovel {

// Removes repetition `rep` of `series`: the later repetitions move down by one in all
// three arrays and RepCount drops by one. False (nothing changes) when rep is not one
// of the series' repetitions.
bool DeleteRepetition(int32_t series, int32_t rep);

// Removes series `index` of the complete series: the later ones move down by one and
// SeriesCount drops by one. False (nothing changes) when index is not a complete series.
bool DeleteSeries(int32_t index);

} // namespace krovel
