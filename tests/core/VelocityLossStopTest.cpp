#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "analysis/core/VelocityLossStop.h"
#include "support/SeriesBuilder.h"

using namespace krovel;
using krovel::testing::SeriesOf;

TEST(VelocityLossStopTest, FiresOnceAtTheFirstMovingRepetitionThatLosesTheShare) {
    struct Case {
        SeriesRecord series;
        int32_t percent;
        std::optional<int32_t> rep;
    };
    for (const Case& c : std::vector<Case>{
             // Fastest so far 50 from rep 3 on; rep 6 (40) has lost exactly 20 %.
             {SeriesOf(60, {0, 40, 50, 0, 45, 40, 30}), 20, 6},
             // A repetition at 0 m/s is no lift, not a loss of 100 %.
             {SeriesOf(60, {50, 0, 48}), 10, std::nullopt},
             {SeriesOf(60, {50, 40}), 21, std::nullopt},
             {SeriesOf(60, {50, 40}), 0, std::nullopt}, // off
         }) {
        SCOPED_TRACE(c.percent);
        EXPECT_EQ(StopRepetition(c.series, c.percent), c.rep);
    }
    // Live, it fires once per series and again after a new series starts.
    VelocityLossStop stop(20);
    std::vector<bool> fired;
    for (int step : {50, 40, 30}) fired.push_back(stop.Add(step));
    stop.Reset();
    for (int step : {40, 30}) fired.push_back(stop.Add(step));
    EXPECT_EQ(fired, (std::vector<bool>{false, true, false, false, true}));
}
