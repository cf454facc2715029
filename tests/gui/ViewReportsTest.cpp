// The report modes of the view driven through the router: the ModeBar of each mode and
// its combo lists, the digital report's table, the selections, deletions and export.
#include <QFile>
#include <QHeaderView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "base/core/AppPaths.h"
#include "base/core/CommandIds.h"
#include "data/core/TextFormat.h"
#include "measure/gui/SpreadsheetLauncher.h"
#include "support/ViewHarness.h"

namespace krovel {
namespace {

using testing::PutSeries;
using testing::ViewHarness;
using Strings = std::vector<std::string>;

Strings Numbered(const char* format, int first, int last) {
    Strings out;
    for (int i = first; i <= last; ++i) out.push_back(FormatText(format, i));
    return out;
}

TEST(ViewReportsTest, EachReportDocksItsOwnBarAndPlacesTheTable) {
    ViewHarness h;
    PutSeries(0, 3, 20.0f);
    SeriesCount = 1;
    DataPresent = 1;

    ASSERT_TRUE(h.router.send(cmd::DigitalReport));
    ASSERT_NE(h.bar(), nullptr);
    EXPECT_EQ(h.bar()->templateId(), SeriesBarId);
    EXPECT_EQ(h.view().ViewMode, ViewModeDigital);
    EXPECT_TRUE(h.table().isVisible());
    EXPECT_EQ(h.table().geometry(), QRect(10, 200, 860, 400));

    ASSERT_TRUE(h.router.send(cmd::ExerciseGraph));
    EXPECT_EQ(h.bar()->templateId(), ExerciseBarId);
    EXPECT_EQ(h.view().ViewMode, ViewModeExercise);
    EXPECT_FALSE(h.table().isVisible());
    EXPECT_EQ(h.table().columnCount(), 0);
    EXPECT_EQ(GraphView.GroupMeanValues.Count, 3);
    // The fatigue-index controls exist but stay out of sight.
    for (int id : {IdFatigueCombo, IdFatigueBestWorst, IdFatigueInitialFinal}) {
        ASSERT_NE(h.bar()->control(id), nullptr);
        EXPECT_FALSE(h.bar()->control(id)->isVisible());
    }
    EXPECT_EQ(h.items(IdParamYCombo),
              (Strings{"mean v (m/s)", "max v (m/s)", "mean P (W)", "max P (W)"}));

    ASSERT_TRUE(h.router.send(cmd::DiagnosticGraph));
    EXPECT_EQ(h.bar()->templateId(), GraphDataBarId);
    EXPECT_EQ(h.view().ViewMode, ViewModeDiagnostic);
    EXPECT_EQ(h.items(IdXCombo), (Strings{"m (kg)", "F (N)", "mean v(m/s)", "mean P(W)"}));
    EXPECT_EQ(h.items(IdY1Combo), (Strings{"m (kg)", "F (N)", "mean v(m/s)", "mean P (W)"}));
    EXPECT_EQ(h.combo(IdXCombo)->currentIndex(), 0);
    EXPECT_EQ(h.combo(IdY1Combo)->currentIndex(), 2);
    EXPECT_EQ(h.combo(IdY2Combo)->currentIndex(), 3);

    ASSERT_TRUE(h.router.send(cmd::ShowOverview));
    EXPECT_EQ(h.bar(), nullptr);
    EXPECT_FALSE(h.table().isVisible());
}

TEST(ViewReportsTest, ComboListsFollowTheSeriesTable) {
    ViewHarness h;
    DataPresent = 1;

    // No series at all: no series item, one interval, "maximum" alone.
    h.router.send(cmd::DigitalReport);
    EXPECT_EQ(h.items(IdSeriesCombo), Strings{});
    EXPECT_EQ(h.items(IdIntervalCombo), Strings{"interval 1 "});
    h.router.send(cmd::DiagnosticGraph);
    EXPECT_EQ(h.items(IdDataCombo), Strings{"maximum"});

    // Series of 8, 12 and 10 repetitions.
    PutSeries(0, 8, 20.0f);
    PutSeries(1, 12, 30.0f);
    PutSeries(2, 10, 40.0f);
    SeriesCount = 3;
    h.router.send(cmd::ExerciseGraph);
    EXPECT_EQ(h.items(IdSeriesCombo), Numbered("Serie No. %d", 1, 3));
    EXPECT_EQ(h.items(IdIntervalCombo), Numbered("interval %d ", 1, 12));
    EXPECT_EQ(h.combo(IdIntervalCombo)->currentIndex(), 0);
    h.router.send(cmd::DiagnosticGraph);
    Strings data{"maximum"};
    for (const std::string& s : Numbered("means of %d", 2, 12)) data.push_back(s);
    EXPECT_EQ(h.items(IdDataCombo), data);

    // A series of 100 repetitions: the data list ends with "means of 100".
    PutSeries(1, 100, 30.0f);
    h.router.send(cmd::DiagnosticGraph);
    ASSERT_EQ(h.items(IdDataCombo).size(), 100u);
    EXPECT_EQ(h.items(IdDataCombo).back(), "means of 100");
}

TEST(ViewReportsTest, DigitalReportShowsTheFirstSeriesAndFollowsTheCombos) {
    ViewHarness h;
    PutSeries(0, 5, 20.0f);
    PutSeries(1, 2, 40.0f, 25);
    SeriesCount = 2;
    DataPresent = 1;
    CurrentSeries = 1;

    ASSERT_TRUE(h.router.send(cmd::DigitalReport));
    CTarnList& t = h.table();
    ASSERT_EQ(t.columnCount(), RepColumnCount);
    for (int c = 0; c < RepColumnCount; ++c) {
        EXPECT_EQ(t.horizontalHeaderItem(c)->text().toStdString(), RepColumns[c].Title);
        EXPECT_EQ(t.columnWidth(c), RepColumns[c].Width);
        EXPECT_TRUE(t.horizontalHeaderItem(c)->textAlignment() & Qt::AlignRight);
    }
    EXPECT_EQ(CurrentSeries, 0);
    ASSERT_EQ(t.rowCount(), 5);
    EXPECT_EQ(h.cell(0, 0), "   1-  1");
    EXPECT_EQ(h.cell(0, 1), " 20.00");
    EXPECT_EQ(h.cell(0, 2), "196.20");
    EXPECT_EQ(h.cell(0, 3), "  1.00");
    EXPECT_EQ(h.cell(0, 5), "196.20");
    EXPECT_EQ(h.cell(4, 0), "   5-  5");
    EXPECT_EQ(h.cell(4, 6), " 100.0"); // the best repetition
    EXPECT_TRUE(t.item(0, 3)->textAlignment() & Qt::AlignRight);
    EXPECT_EQ(t.editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(t.isSortingEnabled());
    EXPECT_EQ(t.selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(t.selectionMode(), QAbstractItemView::ExtendedSelection);

    h.choose(IdIntervalCombo, 1); // pairs
    EXPECT_EQ(GraphView.IntervalIndex, 1);
    ASSERT_EQ(t.rowCount(), 3);
    EXPECT_EQ(h.cell(2, 0), "   5-  5");

    h.choose(IdSeriesCombo, 1);
    EXPECT_EQ(CurrentSeries, 1);
    EXPECT_EQ(TestHeader.BarbellWeight, 40.0f);
    ASSERT_EQ(t.rowCount(), 1); // still in pairs
    EXPECT_EQ(h.cell(0, 0), "   1-  2");
    EXPECT_EQ(h.cell(0, 1), " 40.00");

    // The export writes the rows as shown.
    QTemporaryDir data;
    AppPaths.DataFolder = data.path().toStdString();
    std::string opened;
    SetSpreadsheetOpener([&opened](const std::string& path) { opened = path; });
    ASSERT_TRUE(h.router.send(cmd::ExportXml));
    SetSpreadsheetOpener({});
    ASSERT_FALSE(opened.empty());
    QFile book(QString::fromStdString(opened));
    ASSERT_TRUE(book.open(QIODevice::ReadOnly));
    EXPECT_TRUE(book.readAll().contains("40.00"));
    AppPaths.DataFolder.clear();
}

TEST(ViewReportsTest, GraphSelectionsReachTheirState) {
    ViewHarness h;
    PutSeries(0, 6, 20.0f);
    PutSeries(1, 4, 30.0f);
    SeriesCount = 2;
    DataPresent = 1;

    h.router.send(cmd::ExerciseGraph);
    h.choose(IdParamYCombo, 3);
    EXPECT_EQ(GraphView.ParamYIndex, 3);
    EXPECT_FLOAT_EQ(GraphView.GroupMeanValues.Values[0], 300.0f); // max power of repetition 1
    h.choose(IdIntervalCombo, 2);
    EXPECT_EQ(GraphView.GroupMeanValues.Count, 2);
    h.choose(IdSeriesCombo, 1);
    EXPECT_EQ(CurrentSeries, 1);
    EXPECT_EQ(GraphView.GroupMeanValues.Count, 2); // 4 repetitions in threes
    EXPECT_TRUE(h.prompts.messages.empty());

    h.router.send(cmd::DiagnosticGraph);
    EXPECT_EQ(GraphView.DiagSelection.Y1Index, 2);
    h.choose(IdDataCombo, 1);
    h.choose(IdXCombo, 3);
    h.choose(IdY1Combo, 1);
    h.choose(IdY2Combo, 0);
    EXPECT_EQ(GraphView.DiagSelection.DataIndex, 1);
    EXPECT_EQ(GraphView.DiagSelection.XIndex, 3);
    EXPECT_EQ(GraphView.DiagSelection.Y1Index, 1);
    EXPECT_EQ(GraphView.DiagSelection.Y2Index, 0);
    // Entering the graph again starts from the initial choices.
    h.router.send(cmd::DiagnosticGraph);
    EXPECT_EQ(GraphView.DiagSelection.XIndex, 0);
    EXPECT_EQ(GraphView.DiagSelection.Y1Index, 2);

    // Choices that arrive in a mode without a use for them.
    h.router.send(cmd::ShowOverview);
    h.router.notify(IdXCombo, Notify::SelectionChange);
    EXPECT_TRUE(h.prompts.messages.empty());
    h.router.notify(IdIntervalCombo, Notify::SelectionChange);
    h.router.notify(IdParamYCombo, Notify::SelectionChange);
    EXPECT_EQ(h.prompts.texts(), (Strings{"Internal error: testno", "Internal error parameter Y"}));
}

TEST(ViewReportsTest, DeleteAttemptRemovesTheFirstSelectedRow) {
    ViewHarness h;
    PutSeries(0, 5, 20.0f, 50);
    SeriesCount = 1;
    DataPresent = 1;
    h.router.send(cmd::DigitalReport);

    h.router.send(cmd::DeleteAttempt);
    EXPECT_EQ(h.prompts.texts(), Strings{"No attempt was selected!"});

    h.table().selectRow(2);
    h.prompts.answers = {Answer::No};
    h.router.send(cmd::DeleteAttempt);
    EXPECT_EQ(Series[0].RepCount, 5);
    EXPECT_EQ(DataSaved, 1);

    h.table().selectRow(2);
    h.prompts.answers = {Answer::Yes};
    h.router.send(cmd::DeleteAttempt);
    ASSERT_FALSE(h.prompts.messages.empty());
    EXPECT_EQ(h.prompts.messages.back().text,
              "Are You Sure You want to delete\n selected attempt No: 3");
    EXPECT_EQ(Series[0].RepCount, 4);
    EXPECT_EQ(Series[0].MeanVelocity[2], 53); // former repetition 4
    EXPECT_EQ(Series[0].MeanVelocity[3], 54);
    EXPECT_EQ(Series[0].MaxPower[3], 304.0f);
    ASSERT_EQ(h.table().rowCount(), 4);
    EXPECT_EQ(h.cell(3, 3), "  1.08");
    EXPECT_EQ(DataSaved, 0);

    // Grouped rows are never deleted, and nothing is asked.
    const size_t asked = h.prompts.messages.size();
    h.choose(IdIntervalCombo, 1);
    h.table().selectRow(0);
    h.router.send(cmd::DeleteAttempt);
    h.router.send(cmd::DeleteSerie);
    EXPECT_EQ(h.prompts.messages.size(), asked);
    EXPECT_EQ(Series[0].RepCount, 4);
}

TEST(ViewReportsTest, DeleteSerieShiftsTheLaterSeriesAndRestartsTheReport) {
    ViewHarness h;
    for (int s = 0; s < 5; ++s) PutSeries(s, 2 + s, 10.0f * (s + 1));
    SeriesCount = 5;
    DataPresent = 1;
    h.router.send(cmd::DigitalReport);
    h.choose(IdSeriesCombo, 2);

    h.prompts.answers = {Answer::Yes};
    h.router.send(cmd::DeleteSerie);
    EXPECT_EQ(h.prompts.texts(), Strings{"Are You Sure You want to delete\n Test No: 3"});
    EXPECT_EQ(SeriesCount, 4);
    EXPECT_EQ(Series[2].Mass, 40.0f);
    EXPECT_EQ(Series[2].RepCount, 5);
    EXPECT_EQ(Series[3].Mass, 50.0f);
    EXPECT_EQ(CurrentSeries, 0);
    EXPECT_EQ(h.items(IdSeriesCombo), Numbered("Serie No. %d", 1, 4));
    EXPECT_EQ(h.table().rowCount(), 2);
    EXPECT_EQ(DataSaved, 0); // the table no longer matches its file

    // The last remaining series is refused.
    SeriesCount = 1;
    DataSaved = 1;
    h.router.send(cmd::DigitalReport);
    h.prompts.messages.clear();
    h.router.send(cmd::DeleteSerie);
    EXPECT_EQ(h.prompts.texts(), Strings{"Please delete the data from disk!"});
    EXPECT_EQ(SeriesCount, 1);
    EXPECT_EQ(Series[0].RepCount, 2);
    EXPECT_EQ(DataSaved, 1);
}

} // namespace
} // namespace krovel
