#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "analysis/core/ProgressTrend.h"

using namespace krovel;

namespace {

constexpr int32_t Day = 86400, Start = 1772452800; // 2026-03-02 12:00 UTC

SessionSummary Session(int32_t day, std::optional<double> e1rm, const char* date) {
    SessionSummary s;
    s.StartTime = Start + day * Day;
    s.Date = date;
    s.E1rm = e1rm;
    return s;
}

} // namespace

TEST(ProgressTrendTest, TrendIsTheLeastSquaresSlopePerWeekOverSessionsWithAnE1rm) {
    const std::vector<SessionSummary> sessions = {
        Session(0, 100, "2026-03-02"), Session(7, 103, "2026-03-09"),
        Session(14, std::nullopt, "2026-03-16"), // no e1RM: no point, no change
        Session(21, 103, "2026-03-23")};
    const ProgressSummary s = SummariseProgress(sessions);
    EXPECT_EQ(s.Sessions, 4);
    EXPECT_EQ(s.FirstDate, "2026-03-02");
    EXPECT_EQ(s.LastDate, "2026-03-23");
    EXPECT_DOUBLE_EQ(*s.BestE1rm, 103);
    EXPECT_EQ(s.BestDate, "2026-03-09"); // the earlier of two equal bests
    EXPECT_DOUBLE_EQ(*s.LastE1rm, 103);
    EXPECT_DOUBLE_EQ(*s.ChangeKg, 0);
    EXPECT_DOUBLE_EQ(*s.ChangePct, 0);
    // Weeks 0, 1, 3 against 100, 103, 103: mean (4/3, 102); Sxy = 4, Sxx = 14/3.
    ASSERT_TRUE(s.TrendKgPerWeek);
    EXPECT_NEAR(*s.TrendKgPerWeek, 4 / (14.0 / 3), 1e-9);

    // Two sessions with an e1RM: a change, but no trend yet.
    const ProgressSummary two = SummariseProgress(
        std::vector<SessionSummary>({Session(0, 100, "2026-03-02"), Session(7, 105, "2026-03-09"),
                                     Session(9, std::nullopt, "2026-03-11")}));
    EXPECT_DOUBLE_EQ(*two.ChangeKg, 5);
    EXPECT_DOUBLE_EQ(*two.ChangePct, 5);
    EXPECT_FALSE(two.TrendKgPerWeek);
}
