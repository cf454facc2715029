#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "data/core/DataModel.h"
#include "measure/core/LoadPoints.h"

using namespace krovel;

namespace {

void FillSeries(int s, float mass, std::initializer_list<int> meanBytes) {
    Series[s].Mass = mass;
    Series[s].RepCount = 0;
    for (int b : meanBytes) Series[s].MeanVelocity[Series[s].RepCount++] = uint8_t(b);
}

constexpr int Mass = 0, Force = 1, Velocity = 2, Power = 3;

class LoadPointsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetDataModel(); }

    std::vector<float> Column(int quantity) const {
        std::vector<float> out;
        for (int i = 0; i < set.Count; ++i) out.push_back(set.Points[i].Values[quantity]);
        return out;
    }
    LoadPointSet set;
};

} // namespace

TEST_F(LoadPointsTest, SeriesOfExactlyEqualMassFormOneLoad) {
    FillSeries(0, 40.0f, {50});
    FillSeries(1, 60.0f, {25});
    FillSeries(2, 40.0f, {40, 45});
    FillSeries(3, 40.5f, {10});
    BuildLoadPoints(4, 2, Mass, set);
    EXPECT_EQ(Column(Mass), (std::vector<float>{40.0f, 40.5f, 60.0f}));
    // 40 kg takes its two fastest repetitions of all three: 1.0 and 0.9 m/s.
    EXPECT_FLOAT_EQ(set.Points[0].Values[Velocity], 0.95f);
    EXPECT_EQ(set.Points[0].Values[Force], static_cast<float>(40.0 * static_cast<double>(9.81f)));

    BuildLoadPoints(4, 2, Velocity, set);
    EXPECT_EQ(Column(Mass), (std::vector<float>{40.5f, 60.0f, 40.0f}));
}

TEST_F(LoadPointsTest, PowerFollowsTheRepetitionsChosenByVelocity) {
    FillSeries(0, 100.0f, {20, 50, 30});
    BuildLoadPoints(1, 1, Mass, set);
    ASSERT_EQ(set.Count, 1);
    EXPECT_EQ(set.Points[0].Values[Velocity], 1.0f);
    EXPECT_EQ(set.Points[0].Values[Power],
              static_cast<float>(1.0 * static_cast<double>(9.81f) * 100));

    // The best repetitions are drawn from every series of the load: 1.0 and 0.9 m/s.
    FillSeries(1, 100.0f, {45});
    BuildLoadPoints(2, 2, Mass, set);
    EXPECT_FLOAT_EQ(set.Points[0].Values[Velocity], 0.95f);
}

TEST_F(LoadPointsTest, ZeroVelocitiesDoNotLowerTheAverages) {
    FillSeries(0, 50.0f, {0, 50, 0});
    FillSeries(1, 70.0f, {0, 0});
    BuildLoadPoints(2, 3, Mass, set);
    EXPECT_EQ(Column(Velocity), (std::vector<float>{1.0f, 0.0f}));
    EXPECT_EQ(set.Points[1].Values[Power], 0.0f);
    EXPECT_GT(set.Points[0].Values[Power], 490.0f);
}

TEST_F(LoadPointsTest, SortIsStableForEqualKeys) {
    FillSeries(0, 80.0f, {40});
    FillSeries(1, 20.0f, {40});
    FillSeries(2, 50.0f, {10});
    FillSeries(3, 30.0f, {40});
    BuildLoadPoints(4, 1, Velocity, set);
    // Equal velocities keep the order in which their loads first appeared.
    EXPECT_EQ(Column(Mass), (std::vector<float>{50.0f, 80.0f, 20.0f, 30.0f}));

    // Many loads on few velocities: ascending velocity, table order within each.
    std::vector<float> expected;
    for (int byte = 10; byte < 15; ++byte)
        for (int s = 0; s < 300; ++s)
            if (10 + (s * 7) % 5 == byte) expected.push_back(float(300 - s));
    for (int s = 0; s < 300; ++s) FillSeries(s, float(300 - s), {10 + (s * 7) % 5});
    BuildLoadPoints(300, 1, Velocity, set);
    EXPECT_EQ(Column(Mass), expected);
}

TEST_F(LoadPointsTest, DamagedInputStaysWithinItsStorage) {
    FillSeries(0, std::numeric_limits<float>::quiet_NaN(), {50});
    FillSeries(1, 10.0f, {50});
    Series[1].RepCount = 5000; // read as 100 repetitions
    Series[2].Mass = 10.0f;
    Series[2].RepCount = -7;
    BuildLoadPoints(3, 0, 9, set); // best 0 is 1, an unknown quantity sorts by mass
    ASSERT_EQ(set.Count, 2);
    EXPECT_TRUE(std::isnan(set.Points[0].Values[Mass]));
    EXPECT_EQ(set.Points[0].Values[Velocity], 1.0f); // its own repetitions still count
    EXPECT_EQ(set.Points[1].Values[Mass], 10.0f);

    for (int s = 0; s < MaxSeries; ++s) FillSeries(s, float(MaxSeries - s), {50});
    BuildLoadPoints(MaxSeries + 50, 500, Mass, set);
    ASSERT_EQ(set.Count, MaxSeries);
    EXPECT_EQ(set.Points[0].Values[Mass], 1.0f);
    EXPECT_EQ(set.Points[MaxSeries - 1].Values[Mass], float(MaxSeries));
}
