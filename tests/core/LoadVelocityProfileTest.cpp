#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "analysis/core/AnalysisCsv.h"
#include "analysis/core/AnalysisTables.h"
#include "analysis/core/LoadVelocityProfile.h"
#include "support/SeriesBuilder.h"

using namespace krovel;
using krovel::testing::SeriesOf;

namespace {

LoadVelocityProfile Profile(const std::vector<SeriesRecord>& table, const char* exercise,
                            int best = 1, std::optional<double> mvt = std::nullopt) {
    return BuildProfile(table, {exercise, best, mvt});
}

bool Mentions(const LoadVelocityProfile& p, const char* words) {
    for (const auto& w : p.Warnings)
        if (w.find(words) != std::string::npos) return true;
    return false;
}

} // namespace

// Worked out by hand: loads 40, 60, 80 kg at 1.00, 0.80, 0.56 m/s give
// v = 1.446667 - 0.011 m, r2 = 1 - 1/364, SEE = sqrt(2/3) x 0.02.
TEST(LoadVelocityProfileTest, FitsTheLoadPointsByLeastSquares) {
    // 40 kg appears twice; with H = 2 its point is the mean of its two fastest
    // repetitions (1.02 and 0.98), and the standing repetition changes nothing.
    const std::vector<SeriesRecord> table = {SeriesOf(40, {49, 51, 0}), SeriesOf(80, {28, 20}),
                                             SeriesOf(60, {40}), SeriesOf(40, {45, 0})};
    const LoadVelocityProfile p = Profile(table, "Back SQUAT", 2);
    ASSERT_EQ(p.Loads.size(), 3u);
    EXPECT_FLOAT_EQ(p.Loads[0].Velocity, 1.0f);
    EXPECT_EQ(p.Loads[0].Repetitions, 5);
    EXPECT_FLOAT_EQ(p.Loads[2].Velocity, 0.48f); // 80 kg: (0.56 + 0.40) / 2
    EXPECT_EQ(p.Loads[2].Mass, 80.0f);

    // The same fit with H = 1: 1.02, 0.80, 0.56.
    const LoadVelocityProfile one = Profile(table, "Back SQUAT", 1);
    ASSERT_TRUE(one.Fit);
    EXPECT_NEAR(one.Fit->Slope, -0.0115, 1e-7);

    const std::vector<SeriesRecord> simple = {SeriesOf(40, {50}), SeriesOf(60, {40}),
                                              SeriesOf(80, {28})};
    const LoadVelocityProfile s = Profile(simple, "Back SQUAT");
    ASSERT_TRUE(s.Fit);
    EXPECT_NEAR(s.Fit->Intercept, 1.4466667, 1e-6);
    EXPECT_NEAR(s.Fit->Slope, -0.011, 1e-7);
    EXPECT_NEAR(*s.Fit->R2, 1 - 1.0 / 364, 1e-6);
    EXPECT_NEAR(*s.Fit->StandardError, std::sqrt(2.0 / 3) * 0.02, 1e-6);
    EXPECT_EQ(s.Threshold.Source, ThresholdSource::Exercise);
    EXPECT_NEAR(*s.E1rm, (0.32 - 1.4466667) / -0.011, 1e-3);
    EXPECT_NEAR(*s.L0, 1.4466667 / 0.011, 1e-3);
    EXPECT_EQ(s.Quality, ProfileQuality::Good);
    EXPECT_TRUE(s.Warnings.empty());

    // Bench press: 0.17 m/s puts the 1RM at 116 kg, so 80 kg is below 70 % of it.
    const LoadVelocityProfile bench = Profile(simple, "Bench press");
    EXPECT_EQ(bench.Threshold.Value, 0.17);
    EXPECT_NEAR(*bench.E1rm, (0.17 - 1.4466667) / -0.011, 1e-3);
    EXPECT_TRUE(Mentions(bench, "extrapolation"));
}

TEST(LoadVelocityProfileTest, ThresholdsFollowTheWordsOfTheExerciseNameInRuleOrder) {
    struct Case {
        const char* exercise;
        double mvt;
        ThresholdSource source;
    } cases[] = {{"BENCH PRESS", 0.17, ThresholdSource::Exercise},
                 {"front squat", 0.32, ThresholdSource::Exercise},
                 {"Back-Squats", 0.32, ThresholdSource::Exercise},
                 {"Prone bench pull", 0.50, ThresholdSource::Exercise},
                 {"Bench pull", 0.50, ThresholdSource::Exercise},
                 {"Leg press", 0.20, ThresholdSource::Exercise},
                 {"Medicine ball throw", 0.30, ThresholdSource::Default},
                 {"Romanian Deadlift", 0.15, ThresholdSource::Exercise},
                 {"overhead press", 0.20, ThresholdSource::Exercise},
                 {"Pendlay row", 0.50, ThresholdSource::Exercise},
                 {"Pull-up", 0.50, ThresholdSource::Exercise},
                 {"hip thrust", 0.30, ThresholdSource::Default},
                 {"", 0.30, ThresholdSource::Default}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.exercise);
        const VelocityThreshold t = ExerciseThreshold(c.exercise);
        EXPECT_EQ(t.Value, c.mvt);
        EXPECT_EQ(t.Source, c.source);
    }
    const std::vector<SeriesRecord> table = {SeriesOf(40, {50}), SeriesOf(60, {40}),
                                             SeriesOf(80, {28})};
    EXPECT_TRUE(Mentions(Profile(table, "hip thrust"), "No minimum velocity threshold"));
    const LoadVelocityProfile own = Profile(table, "hip thrust", 1, 0.25);
    EXPECT_EQ(own.Threshold.Source, ThresholdSource::Option);
    EXPECT_TRUE(own.Warnings.empty());
    EXPECT_NEAR(*own.E1rm, (0.25 - 1.4466667) / -0.011, 1e-3);
}

TEST(LoadVelocityProfileTest, TooFewLoadsGiveNoOrAnUnreliableLine) {
    const LoadVelocityProfile none = Profile({}, "squat");
    EXPECT_FALSE(none.Fit);
    EXPECT_EQ(none.Quality, ProfileQuality::Insufficient);

    const LoadVelocityProfile one = Profile({SeriesOf(60, {40, 45}), SeriesOf(60, {30})}, "squat");
    ASSERT_EQ(one.Loads.size(), 1u);
    EXPECT_FALSE(one.Fit);
    EXPECT_FALSE(one.E1rm);
    EXPECT_TRUE(Mentions(one, "Fewer than 3 loads"));

    // Two loads: the line passes through both, with no standard error.
    const LoadVelocityProfile two = Profile({SeriesOf(40, {50}), SeriesOf(80, {30})}, "squat");
    ASSERT_TRUE(two.Fit);
    EXPECT_NEAR(two.Fit->Slope, -0.01, 1e-7);
    EXPECT_NEAR(*two.Fit->R2, 1.0, 1e-12);
    EXPECT_FALSE(two.Fit->StandardError);
    EXPECT_NEAR(*two.E1rm, 108.0, 1e-4);
    EXPECT_EQ(two.Quality, ProfileQuality::Insufficient);
}

TEST(LoadVelocityProfileTest, QualityVerdictsAtTheirEdges) {
    struct Case {
        size_t loads;
        double slope, r2;
        ProfileQuality quality;
    } cases[] = {{3, -0.01, 0.95, ProfileQuality::Good},
                 {3, -0.01, std::nextafter(0.95, 0.0), ProfileQuality::Fair},
                 {3, -0.01, 0.90, ProfileQuality::Fair},
                 {3, -0.01, std::nextafter(0.90, 0.0), ProfileQuality::Poor},
                 {2, -0.01, 1.0, ProfileQuality::Insufficient},
                 {3, 0.0, 1.0, ProfileQuality::Invalid}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.r2);
        EXPECT_EQ(JudgeProfile(c.loads, LinearFit{1.0, c.slope, c.r2, std::nullopt}), c.quality);
    }
    // 1/0.7 x 70 kg is 100 kg: an estimate of exactly 100 kg is not yet an extrapolation.
    EXPECT_FALSE(IsExtrapolation(70, 100));
    EXPECT_TRUE(IsExtrapolation(70, std::nextafter(100.0, 200.0)));
}

TEST(LoadVelocityProfileTest, AFlatOrRisingProfileEstimatesNothing) {
    // Equal velocities: the slope is exactly 0 (not rounding noise of either sign).
    const LoadVelocityProfile flat = Profile(
        {SeriesOf(40, {35}), SeriesOf(60, {35}), SeriesOf(80, {35}), SeriesOf(100, {35})}, "squat");
    ASSERT_TRUE(flat.Fit);
    EXPECT_EQ(flat.Fit->Slope, 0.0);
    EXPECT_FALSE(flat.Fit->R2);
    EXPECT_EQ(flat.Quality, ProfileQuality::Invalid);
    EXPECT_FALSE(flat.E1rm);
    EXPECT_FALSE(flat.L0);

    const LoadVelocityProfile rising =
        Profile({SeriesOf(40, {30}), SeriesOf(60, {40}), SeriesOf(80, {45})}, "squat");
    EXPECT_GT(rising.Fit->Slope, 0);
    EXPECT_EQ(rising.Quality, ProfileQuality::Invalid);
    EXPECT_FALSE(rising.E1rm);
    EXPECT_TRUE(Mentions(rising, "does not fall"));

    // A threshold above the velocity at zero load would give a negative 1RM.
    const LoadVelocityProfile high =
        Profile({SeriesOf(40, {25}), SeriesOf(60, {20}), SeriesOf(80, {15})}, "squat", 1, 0.9);
    EXPECT_FALSE(high.E1rm);
    EXPECT_TRUE(Mentions(high, "no 1RM"));
}

TEST(LoadVelocityProfileTest, DamagedOrStillLoadsAreLeftOutOfTheLine) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    // The NaN load stands between the others in the points' order; the line still gets
    // its loads ascending, and a load with only standing repetitions does not count.
    const LoadVelocityProfile p =
        Profile({SeriesOf(80, {28}), SeriesOf(nan, {45}), SeriesOf(40, {50}), SeriesOf(60, {40}),
                 SeriesOf(100, {0, 0}), SeriesOf(-60, {55}), SeriesOf(3e30f, {20})},
                "squat");
    ASSERT_EQ(p.Loads.size(), 3u);
    EXPECT_EQ(p.Loads[0].Mass, 40.0f);
    EXPECT_EQ(p.Loads[2].Mass, 80.0f);
    EXPECT_NEAR(p.Fit->Slope, -0.011, 1e-7);
    EXPECT_TRUE(Mentions(p, "3 loads were left out because the mass is not a number"));
    EXPECT_TRUE(Mentions(p, "no repetition moved"));
    EXPECT_FALSE(IsPlausibleMass(0));
    EXPECT_TRUE(IsPlausibleMass(1000));
    EXPECT_FALSE(IsPlausibleMass(std::nextafter(1000.0f, 2000.0f)));
}

TEST(LoadVelocityProfileTest, HugeNumbersTakeAnExponentAndSmallSlopesTheirDigits) {
    struct Case {
        double value;
        int decimals, significant;
        const char* text;
    } cases[] = {{2999999894026671207801419726848.0, 1, 0, "3.000e+30"},
                 {-1234567.0, 1, 0, "-1.235e+06"},
                 {999999.94, 1, 0, "999999.9"},
                 {0.0000012345, 5, 3, "0.00000123"},
                 {0.011, 5, 3, "0.01100"},
                 {0.0000012345, 4, 0, "0.0000"},
                 {std::numeric_limits<double>::quiet_NaN(), 1, 0, "-"}};
    for (const Case& c : cases) EXPECT_EQ(PointText(c.value, c.decimals, c.significant), c.text);

    LoadVelocityProfile p;
    p.Fit = LinearFit{1.1666, -0.0000012, 0.5, std::nullopt};
    p.E1rm = 2.5e6;
    const std::vector<std::string> lines = ProfileSummaryLines(p, ',');
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Line: v = 1,167 - 0,00000120 x m"),
              lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "e1RM: 2,500e+06 kg"), lines.end());
    const std::string csv = ProfileCsv({}, p);
    EXPECT_NE(csv.find("\r\nSlope (m/s per kg),-0.00000120\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\r\ne1RM (kg),2.500e+06\r\n"), std::string::npos) << csv;
}
