#include <gtest/gtest.h>

#include <vector>

#include "analysis/core/VelocityLoss.h"
#include "support/SeriesBuilder.h"

using namespace krovel;
using krovel::testing::SeriesOf;

namespace {} // namespace

TEST(VelocityLossTest, LossFromBestToLastAndToSlowest) {
    const std::vector<SeriesRecord> table = {
        SeriesOf(60, {45, 50, 35, 40}), // best 1.00, last 0.80, slowest 0.70
        SeriesOf(70, {40}),             // one repetition: no loss
        SeriesOf(80, {0, 30, 33, 0}),   // two stood still: 0.66 is the last of two lifts
        SeriesOf(90, {0, 25, 0}),       // one moving repetition only
    };
    const std::vector<SeriesVelocityLoss> losses = VelocityLosses(table);
    ASSERT_EQ(losses.size(), 2u);
    EXPECT_EQ(losses[0].Series, 1);
    EXPECT_EQ(losses[0].Repetitions, 4);
    EXPECT_DOUBLE_EQ(losses[0].Best, 1.0);
    EXPECT_DOUBLE_EQ(losses[0].Last, 0.8);
    EXPECT_DOUBLE_EQ(losses[0].LossPct, 20.0);
    EXPECT_DOUBLE_EQ(losses[0].MaxLossPct, 30.0);

    EXPECT_EQ(losses[1].Series, 3);
    EXPECT_EQ(losses[1].Mass, 80.0f);
    EXPECT_EQ(losses[1].Repetitions, 2);
    EXPECT_DOUBLE_EQ(losses[1].Last, 0.66);
    EXPECT_DOUBLE_EQ(losses[1].LossPct, 0.0);
    EXPECT_DOUBLE_EQ(losses[1].MaxLossPct, 100.0 * 3 / 33);
}
