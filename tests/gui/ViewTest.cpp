// The view: the SubjectBar at its corner, the overview command and the painted title.
#include <QAbstractButton>
#include <QLineEdit>

#include <gtest/gtest.h>

#include "base/core/CommandIds.h"
#include "device/core/HandOver.h"
#include "measure/core/LiveMeasurementState.h"
#include "support/FrameHarness.h"
#include "ui/gui/SubjectBar.h"

namespace krovel {
namespace {

using testing::FrameHarness;

TEST(ViewTest, SubjectBarStaysAtTheTopLeftWithItsOwnSize) {
    FrameHarness h;
    SubjectBar& bar = h.view().subjectBar();
    const QSize fixed = bar.toPixels(0, 0, 479, 96).size();
    h.frame->resize(640, 500);
    h.frame->resize(1000, 900);
    EXPECT_EQ(bar.geometry(), QRect(QPoint(0, 0), fixed));
    EXPECT_TRUE(h.view().focusPolicy() & Qt::TabFocus);
}

TEST(ViewTest, OverviewShowsTheLastSeriesAndLeavesReports) {
    FrameHarness h;
    SeriesCount = 3;
    Series[2].Mass = 40.0f;
    Series[2].SignalBelowPct = 70;
    Series[2].RepCount = 4;
    CurrentSeries = 0;
    StoreFinished(LiveMeasurement.LiveRequest, 0);
    h.view().ViewMode = ViewModeDigital;
    h.frame->DockModeBar(new QWidget);

    ASSERT_TRUE(h.router.send(cmd::ShowOverview));
    EXPECT_EQ(CurrentSeries, 2);
    EXPECT_EQ(h.view().ViewMode, ViewModeNone);
    EXPECT_EQ(LoadFinished(LiveMeasurement.LiveRequest), 1);
    EXPECT_EQ(h.frame->modeBar(), nullptr);
    // The repaint wrote the series into the bar and read the bar back.
    EXPECT_EQ(h.view().subjectBar().edit(1031)->text(), "3");
    EXPECT_EQ(h.view().subjectBar().edit(1036)->text(), " 40.00");
    EXPECT_EQ(TestHeader.SignalBelowPct, 70);

    // With no series at all the bar shows series 0 and "Set No" 0.
    SeriesCount = 0;
    h.router.send(cmd::ShowOverview);
    EXPECT_EQ(CurrentSeries, -1);
    EXPECT_EQ(h.view().subjectBar().edit(1031)->text(), "0");
}

TEST(ViewTest, PaintSetsTheFileTitleOnlyWhileDataIsPresent) {
    FrameHarness h;
    FileName = "run";
    FileTimeText = " 01.02.2024 10:00 ";
    h.view().Repaint();
    EXPECT_EQ(h.doc.title(), "");
    EXPECT_EQ(h.frame->windowTitle(), " - Kinetrak Krovel");
    DataPresent = 1;
    h.view().Repaint();
    EXPECT_EQ(h.doc.title(), "Marvolen    File: run 01.02.2024 10:00 ");
    EXPECT_EQ(h.frame->windowTitle(), "Marvolen    File: run 01.02.2024 10:00  - Kinetrak Krovel");
    ResetDataModel();
}

TEST(ViewTest, StopButtonReachesTheRouterAsACommand) {
    FrameHarness h;
    int stops = 0;
    h.router.setHandler(cmd::Stop, &h.view(), [&stops] { ++stops; });
    QAbstractButton* stop = h.view().subjectBar().button(cmd::Stop);
    stop->show();
    stop->click();
    EXPECT_EQ(stops, 1);
}

} // namespace
} // namespace krovel
