// The four quantities the graphs plot. The order is that of the axis ranges and of the
// diagnostic graph's X/Y combo boxes; it is not the order of ValueKind.
#pragma once

#include <cstdint>

namespace krovel {

enum class PlotQuantity : int32_t {
    Mass = 0,     // kg
    Force = 1,    // N
    Velocity = 2, // mean velocity, m/s
    Power = 3,    // mean power, W
};
constexpr int32_t PlotQuantityCount = 4;

// Axis titles of the diagnostic graph, by PlotQuantity.
inline constexpr const char* PlotQuantityNames[PlotQuantityCount] = {"m (kg)", "F (N)",
                                                                     "mean v(m/s)", "mean P(W)"};

// A combo selection as a PlotQuantity index; anything outside 0..3 (no selection) is 0.
inline int32_t ValidPlotQuantity(int32_t index) {
    return index >= 0 && index < PlotQuantityCount ? index : 0;
}

} // namespace krovel
