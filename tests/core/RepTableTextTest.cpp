#include <gtest/gtest.h>

#include "data/core/DataModel.h"
#include "measure/core/LiveMeasurementState.h"
#include "measure/core/RepTableText.h"
#include "measure/core/RepetitionValues.h"
#include "support/LocaleGuard.h"

using namespace krovel;
using krovel::testing::LocaleGuard;

namespace {

// Series s with mass 20 and the given mean-velocity bytes; max velocity byte 50 and max
// power 431.75 W on every repetition.
void FillSeries(int s, std::initializer_list<int> meanBytes) {
    SeriesRecord& r = Series[s];
    r.Mass = 20.0f;
    r.RepCount = 0;
    for (int b : meanBytes) {
        r.MeanVelocity[r.RepCount] = static_cast<uint8_t>(b);
        r.MaxVelocity[r.RepCount] = 50;
        r.MaxPower[r.RepCount] = 431.75f;
        ++r.RepCount;
    }
}

} // namespace

class RepTableTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDataModel();
        LiveMeasurement.Reset();
    }
};

TEST_F(RepTableTextTest, LiveRowsShowValuesAndRunningPercentage) {
    // Mean powers with mass 20: byte 50 -> 196.20 W, byte 100 -> 392.40 W, 25 -> 98.10 W.
    FillSeries(2, {50, 100, 25});
    RepRowText first = LiveRowCells(2, 0);
    EXPECT_EQ(first, (RepRowText{"1", " 20.00", "196.20", "  1.00", "  1.50", "196.20", " 100.0",
                                 "431.75"}));
    EXPECT_EQ(LiveRowCells(2, 1)[6], " 100.0");
    RepRowText third = LiveRowCells(2, 2);
    EXPECT_EQ(third[0], "3");
    EXPECT_EQ(third[5], " 98.10");
    EXPECT_EQ(third[6], "  25.0");
}

TEST_F(RepTableTextTest, CellsRoundToTheirLastDigit) {
    // 22.5 kg x 9.81 = 220.725.. N and 431.756 W: truncation would show 220.72 and 431.75.
    FillSeries(0, {50});
    Series[0].Mass = 22.5f;
    Series[0].MaxPower[0] = 431.756f;
    const RepRowText row = LiveRowCells(0, 0);
    EXPECT_EQ(row[2], "220.73");
    EXPECT_EQ(row[7], "431.76");
}

TEST_F(RepTableTextTest, LiveRowWithZeroPowerShowsZeroPercent) {
    FillSeries(0, {0});
    EXPECT_EQ(LiveRowCells(0, 0)[6], "   0.0");
    Series[0].Mass = 0.0f;
    Series[0].MeanVelocity[0] = 80;
    EXPECT_EQ(LiveRowCells(0, 0)[6], "   0.0");
}

TEST_F(RepTableTextTest, DigitalReportGroupsRows) {
    FillSeries(1, {50, 100, 50, 100, 25});
    auto rows = DigitalReportRows(1, 1);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows.at(0)[0], "   1-  2");
    EXPECT_EQ(rows.at(1)[0], "   3-  4");
    EXPECT_EQ(rows.at(2)[0], "   5-  5");
    for (const auto& row : rows) {
        EXPECT_EQ(row[1], " 20.00");
        EXPECT_EQ(row[2], "196.20");
        EXPECT_EQ(row[4], "  1.50");
        EXPECT_EQ(row[7], "431.75");
    }
    EXPECT_EQ(rows.at(0)[3], "  1.50");
    EXPECT_EQ(rows.at(0)[5], "294.30");
    EXPECT_EQ(rows.at(0)[6], "  75.0");
    EXPECT_EQ(rows.at(2)[5], " 98.10");
    EXPECT_EQ(rows.at(2)[6], "  25.0");

    auto single = DigitalReportRows(1, 0);
    ASSERT_EQ(single.size(), 5u);
    EXPECT_EQ(single.at(1)[0], "   2-  2");
    EXPECT_EQ(single.at(1)[6], " 100.0");
}

TEST_F(RepTableTextTest, DigitalReportEdgeCases) {
    EXPECT_TRUE(DigitalReportRows(0, 0).empty());
    FillSeries(0, {0, 0});
    EXPECT_EQ(DigitalReportRows(0, 0).at(1)[6], "   0.0"); // no power at all: 0 %, not nan
    Series[0].RepCount = 100;
    auto rows = DigitalReportRows(0, 0);
    ASSERT_EQ(rows.size(), 100u);
    EXPECT_EQ(rows.at(99)[0], " 100-100");
}

TEST_F(RepTableTextTest, CommaLocaleUsesDecimalComma) {
    LocaleGuard comma("de_DE.UTF-8");
    ASSERT_TRUE(comma.ok());
    FillSeries(0, {50, 25});
    RepRowText live = LiveRowCells(0, 0);
    EXPECT_EQ(live[1], " 20,00");
    EXPECT_EQ(live[2], "196,20");
    EXPECT_EQ(live[6], " 100,0");
    auto rows = DigitalReportRows(0, 1);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows.at(0)[0], "   1-  2");
    EXPECT_EQ(rows.at(0)[5], "147,15");
    EXPECT_EQ(rows.at(0)[6], "  75,0");
}
