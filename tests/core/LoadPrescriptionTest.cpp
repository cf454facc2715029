#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/core/LoadPrescription.h"

using namespace krovel;

namespace {

// v = 1.5 - 0.01 m: V0 1.5 m/s, e1RM 120 kg at a threshold of 0.30 m/s.
PrescriptionLine Line() {
    LinearFit fit;
    fit.Intercept = 1.5;
    fit.Slope = -0.01;
    return {fit, 0.30, 120.0};
}

} // namespace

TEST(LoadPrescriptionTest, LoadsRoundToTheNearestPlateStepTiesDown) {
    struct Case {
        double load, plate, rounded;
    };
    for (const Case& c : std::vector<Case>{{101.25, 2.5, 100.0},
                                           {101.26, 2.5, 102.5},
                                           {62.75, 0.5, 62.5},
                                           {62.76, 0.5, 63.0},
                                           {80.5, 1.0, 80.0},
                                           {80.51, 1.0, 81.0},
                                           {1.25, 2.5, 0.0}}) {
        SCOPED_TRACE(std::to_string(c.load) + " at " + std::to_string(c.plate));
        EXPECT_DOUBLE_EQ(RoundToPlate(c.load, c.plate), c.rounded);
    }
}

TEST(LoadPrescriptionTest, TargetsTheLineCannotReachAreRefusedWithTheReason) {
    const PrescriptionLine line = Line();
    struct Case {
        PrescriptionResult result;
        const char* reason;
    };
    for (const Case& c : std::vector<Case>{{LoadForVelocity(line, 1.6, 2.5), "above the velocity"},
                                           {LoadForVelocity(line, 0.2, 2.5), "above the e1RM"},
                                           {LoadForVelocity(line, 1.49, 2.5), "at or below 0 kg"},
                                           {LoadForPercent(line, 0.5, 2.5), "outside 1 to 100"},
                                           {LoadForPercent(line, 100.5, 2.5), "outside 1 to 100"},
                                           {LoadForPercent(line, 1, 2.5), "at or below 0 kg"}}) {
        SCOPED_TRACE(c.reason);
        EXPECT_FALSE(c.result.Load);
        EXPECT_NE(c.result.Refusal.find(c.reason), std::string::npos) << c.result.Refusal;
    }
    const PrescriptionResult reached = LoadForVelocity(line, 0.9, 1.0);
    ASSERT_TRUE(reached.Load) << reached.Refusal;
    EXPECT_DOUBLE_EQ(reached.Load->Load, 60.0);
    EXPECT_EQ(reached.Load->Percent, 50);
}

TEST(LoadPrescriptionTest, TableRunsFrom40To100PercentWithTheVelocityAtTheRoundedLoad) {
    PrescriptionLine line = Line();
    line.E1rm = 117.0; // 100 % rounds to 117.5, a little faster than the threshold
    const std::vector<PrescribedLoad> rows = LoadTable(line, 2.5);
    ASSERT_EQ(rows.size(), 13u);
    EXPECT_EQ(rows.front().Percent, 40);
    EXPECT_DOUBLE_EQ(rows.front().Load, 47.5); // 46.8
    EXPECT_EQ(rows.back().Percent, 100);
    EXPECT_DOUBLE_EQ(rows.back().Load, 117.5);
    EXPECT_DOUBLE_EQ(rows.back().Velocity, 1.5 - 0.01 * 117.5);
}
