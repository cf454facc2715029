#include <gtest/gtest.h>

#include "data/core/DataModel.h"
#include "data/core/SubjectBarSync.h"
#include "support/FakeSubjectBar.h"
#include "support/LocaleGuard.h"
#include "support/TimeZone.h"

using namespace krovel;
using krovel::testing::FakeSubjectBar;
using krovel::testing::LocaleGuard;

class SubjectBarSyncTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDataModel();
        krovel::testing::UseUtcAsLocalTime();
    }
    FakeSubjectBar bar;
};

TEST_F(SubjectBarSyncTest, CommaLocaleReadsDecimalCommaAndStopsAtPoint) {
    LocaleGuard comma("de_DE.UTF-8");
    ASSERT_TRUE(comma.ok());
    bar.texts[IdBarbellWeight] = "22,5";
    ReadSubjectBar(bar);
    EXPECT_FLOAT_EQ(TestHeader.BarbellWeight, 22.5f);
    bar.texts[IdBarbellWeight] = "22.5";
    ReadSubjectBar(bar);
    EXPECT_FLOAT_EQ(TestHeader.BarbellWeight, 22.0f);
}

TEST_F(SubjectBarSyncTest, NonNumericWeightKeepsOldValueAndBadIntegersBecomeZero) {
    TestHeader.BarbellWeight = 33.0f;
    bar.texts[IdBarbellWeight] = "abc";
    bar.texts[IdHeight] = "18x";
    bar.texts[IdBodyWeight] = " -75 ";
    bar.texts[IdSignalBelow] = "";
    ReadSubjectBar(bar);
    EXPECT_FLOAT_EQ(TestHeader.BarbellWeight, 33.0f);
    EXPECT_EQ(TestHeader.Subject.Height, 0);
    EXPECT_EQ(TestHeader.Subject.BodyWeight, -75);
    EXPECT_EQ(TestHeader.SignalBelowPct, 0);
}

TEST_F(SubjectBarSyncTest, RoundTripShowsSeriesValuesRoundedToTwoDecimals) {
    LocaleGuard comma("de_DE.UTF-8");
    ASSERT_TRUE(comma.ok());
    Series[1].Mass = 20.004f;
    Series[1].SignalBelowPct = 80;
    Series[1].SignalAbovePct = 105;
    Series[1].StartTime = 1262304000 + 3723; // 2010-01-01 01:02:03 UTC
    CurrentSeries = 1;
    TestHeader.Subject.Sex = SexMale;
    TestHeader.Subject.SubjectName = "Ann";
    WriteSubjectBar(bar);
    ReadSubjectBar(bar);
    EXPECT_EQ(bar.texts[IdBarbellWeight], " 20,00");
    EXPECT_FLOAT_EQ(TestHeader.BarbellWeight, 20.0f);
    EXPECT_FLOAT_EQ(Series[1].Mass, 20.004f);
    EXPECT_EQ(TestHeader.SignalBelowPct, 80);
    EXPECT_EQ(TestHeader.SignalAbovePct, 105);
    EXPECT_EQ(bar.texts[IdDate], "01/01/2010");
    EXPECT_EQ(bar.texts[IdTime], "01:02:03");
    EXPECT_EQ(bar.texts[IdSetNo], "2");
    EXPECT_EQ(bar.checked, SexMale);
    EXPECT_EQ(TestHeader.Subject.Sex, SexMale);
    EXPECT_EQ(TestHeader.Subject.SubjectName, "Ann");
}

TEST_F(SubjectBarSyncTest, NegativeCurrentSeriesShowsSeriesZeroAndSetNoZero) {
    Series[0].StartTime = 0;
    Series[0].Mass = 42.0f;
    CurrentSeries = -1;
    TestHeader.Subject.Sex = 0;
    bar.checked = SexFemale;
    WriteSubjectBar(bar);
    EXPECT_EQ(bar.texts[IdSetNo], "0");
    EXPECT_EQ(bar.texts[IdDate], "01/01/1970");
    EXPECT_EQ(bar.texts[IdBarbellWeight], " 42.00");
    EXPECT_EQ(bar.checked, 0);
}

TEST_F(SubjectBarSyncTest, ClearResetsOnlyRepCounts) {
    SeriesCount = 3;
    CurrentSeries = 2;
    Series[2].RepCount = 7;
    Series[2].Mass = 60.0f;
    Series[2].MeanVelocity[0] = 50;
    ClearSeriesTable(bar);
    EXPECT_EQ(SeriesCount, 0);
    EXPECT_EQ(CurrentSeries, 0);
    EXPECT_EQ(Series[2].RepCount, 0);
    EXPECT_FLOAT_EQ(Series[2].Mass, 60.0f);
    EXPECT_EQ(Series[2].MeanVelocity[0], 50);
}
