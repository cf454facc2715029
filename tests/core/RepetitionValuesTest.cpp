#include <gtest/gtest.h>

#include "data/core/DataModel.h"
#include "measure/core/LiveMeasurementState.h"
#include "measure/core/RepetitionValues.h"

using namespace krovel;

namespace {

// Fills series s with mean-velocity bytes (0.02 m/s units), a mass, and max values
// derived from the byte so every kind differs per repetition.
void FillSeries(int s, float mass, std::initializer_list<int> meanBytes) {
    SeriesRecord& r = Series[s];
    r.Mass = mass;
    r.RepCount = 0;
    for (int b : meanBytes) {
        r.MeanVelocity[r.RepCount] = static_cast<uint8_t>(b);
        r.MaxVelocity[r.RepCount] = static_cast<uint8_t>(b + 10);
        r.MaxPower[r.RepCount] = 100.0f + static_cast<float>(b);
        ++r.RepCount;
    }
}

} // namespace

class RepetitionValuesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDataModel();
        LiveMeasurement.Reset();
    }
};

TEST_F(RepetitionValuesTest, KindsFromRawBytesAndMass) {
    FillSeries(3, 20.0f, {50});
    Series[3].MaxVelocity[0] = 50;
    Series[3].MaxPower[0] = 431.75f;
    EXPECT_EQ(RepetitionValue(3, 0, ValueKind::MeanVelocity), 1.0f);
    EXPECT_EQ(RepetitionValue(3, 0, ValueKind::MaxVelocity), 1.5f);
    EXPECT_EQ(RepetitionValue(3, 0, ValueKind::MeanPower), 196.20001220703125f);
    EXPECT_EQ(RepetitionValue(3, 0, ValueKind::MaxPower), 431.75f);
    EXPECT_EQ(RepetitionValue(3, 0, 4), NoValue);
    EXPECT_EQ(RepetitionValue(3, 0, -1), NoValue);
    EXPECT_EQ(NoValue, -99999.8984375f);
    EXPECT_EQ(Gravity, 9.8100004196166992); // 9.81 as float32, widened
    EXPECT_EQ(SeriesForce(3), 20.0 * 9.8100004196166992);
}

TEST_F(RepetitionValuesTest, MeanPowerIsRoundedOnceFromDouble) {
    // Rounding after every float32 step would give 12.262499809265137 and 3.9240000247955322.
    FillSeries(0, 62.5f, {1});
    EXPECT_EQ(RepetitionValue(0, 0, 2), 12.262500762939453f);
    FillSeries(0, 20.0f, {1});
    EXPECT_EQ(RepetitionValue(0, 0, 2), 3.9240002632141113f);
}

TEST_F(RepetitionValuesTest, GroupMeansSplitsIntoGroupsWithShortLastGroup) {
    FillSeries(1, 20.0f, {10, 20, 30, 40, 50, 60, 70});
    GroupMeanTable t;
    GroupMeans(1, 2, 0, t);
    ASSERT_EQ(t.Count, 3);
    EXPECT_FLOAT_EQ(t.Values[0], 0.4f); // bytes 10..30 -> 0.2, 0.4, 0.6
    EXPECT_FLOAT_EQ(t.Values[1], 1.0f);
    EXPECT_FLOAT_EQ(t.Values[2], 1.4f); // the seventh alone

    GroupMeans(1, 0, 1, t);
    ASSERT_EQ(t.Count, 7);
    EXPECT_FLOAT_EQ(t.Values[6], 2.4f); // (70 + 10) x 0.03

    GroupMeans(1, 99, 3, t);
    ASSERT_EQ(t.Count, 1);
    EXPECT_FLOAT_EQ(t.Values[0], 140.0f);
}

TEST_F(RepetitionValuesTest, EmptyOrCorruptSeriesStayInBounds) {
    GroupMeanTable t;
    t.Values[0] = 7.5f;
    t.Count = 4;
    GroupMeans(2, 0, 0, t); // no repetitions: Count 0, the values are kept
    EXPECT_EQ(t.Count, 0);
    EXPECT_EQ(t.Values[0], 7.5f);

    FillSeries(0, 20.0f, {10, 20});
    GroupMeans(0, -5, 0, t); // a negative interval groups repetitions one by one
    EXPECT_EQ(t.Count, 2);
    Series[0].RepCount = 5000;
    GroupMeans(0, 0, 0, t);
    EXPECT_EQ(t.Count, MaxRepetitions);
    EXPECT_EQ(GroupStatistics(0, 0).size(), 100u);
    Series[0].RepCount = -3;
    EXPECT_TRUE(GroupStatistics(0, 0).empty());
}

TEST_F(RepetitionValuesTest, GroupAccumulatorsAreFloat32) {
    // Three values whose float32 running sum differs from the double sum rounded once.
    Series[0].RepCount = 3;
    Series[0].MaxPower[0] = 16777216.0f;
    Series[0].MaxPower[1] = 1.0f;
    Series[0].MaxPower[2] = 1.0f;
    // float32: 16777216 + 1 = 16777216 (tie to even), again 16777216; mean 5592405.33.
    EXPECT_EQ(GroupStatistics(0, 2)[0].Mean[3], 16777216.0f / 3.0f);
    GroupMeanTable t;
    GroupMeans(0, 2, 3, t);
    EXPECT_EQ(t.Values[0], 16777216.0f / 3.0f);
}

TEST_F(RepetitionValuesTest, ZeroPeakGivesZeroPercentNeverNan) {
    FillSeries(0, 20.0f, {0, 0, 0});
    for (const auto& g : GroupStatistics(0, 0)) EXPECT_EQ(g.Percent, 0.0f);
    FillSeries(0, 0.0f, {40, 50}); // no barbell mass: no power either
    for (const auto& g : GroupStatistics(0, 1)) EXPECT_EQ(g.Percent, 0.0f);
}

TEST_F(RepetitionValuesTest, LiveSignalSequence) {
    auto at9095 = [](float v) { return UpdateLiveSignals(v, 90, 95); };
    EXPECT_EQ(at9095(200.0f), UpperSignalSound); // 200 is above 95 % of itself
    EXPECT_EQ(LiveMeasurement.UpperSignal, 190.0f);
    EXPECT_EQ(LiveMeasurement.LowerSignal, 180.0f);

    EXPECT_EQ(at9095(185.0f), NoSignalSound);
    EXPECT_EQ(at9095(192.0f), UpperSignalSound);
    EXPECT_EQ(at9095(170.0f), LowerSignalSound);
    EXPECT_EQ(at9095(210.0f), UpperSignalSound);
    EXPECT_EQ(LiveMeasurement.LivePeakPower, 210.0f);
    EXPECT_EQ(LiveMeasurement.UpperSignal, 199.5f);
    EXPECT_EQ(LiveMeasurement.LowerSignal, 189.0f);
}

TEST_F(RepetitionValuesTest, LiveSignalsWithDefaultsAndCrossedThresholds) {
    // Defaults 90/100: a new best lifts the upper threshold to itself, so only the
    // lower sound ever plays.
    EXPECT_EQ(UpdateLiveSignals(100.0f, 90, 100), NoSignalSound);
    EXPECT_EQ(UpdateLiveSignals(120.0f, 90, 100), NoSignalSound);
    EXPECT_EQ(UpdateLiveSignals(107.0f, 90, 100), LowerSignalSound);
    EXPECT_EQ(UpdateLiveSignals(110.0f, 90, 100), NoSignalSound);

    // "Signal above" under "Signal below": both are crossed, the lower sound wins.
    LiveMeasurement.Reset();
    UpdateLiveSignals(100.0f, 90, 80);
    EXPECT_EQ(UpdateLiveSignals(85.0f, 90, 80), LowerSignalSound);
}

TEST_F(RepetitionValuesTest, IntervalChoicesFollowLongestCompleteSeries) {
    EXPECT_EQ(IntervalChoiceCount(), 1); // nothing recorded yet
    Series[0].RepCount = 8;
    EXPECT_EQ(IntervalChoiceCount(), 8); // series 0 counts before it is complete
    Series[1].RepCount = 12;
    Series[2].RepCount = 10;
    Series[3].RepCount = 40; // not complete: ignored
    SeriesCount = 3;
    EXPECT_EQ(IntervalChoiceCount(), 12);
}
