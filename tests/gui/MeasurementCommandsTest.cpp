// Perform, Append set, Append set with new subject and the rules of the commands that
// must wait for a running measurement, in the running program with a "Kinetrak Basic"
// unit on the simulated FTDI bus.
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>

#include "analysis/gui/ExerciseChoice.h"
#include "base/core/CommandIds.h"
#include "device/io/DeviceLink.h"
#include "io/LinkTestSupport.h"
#include "measure/core/LiveMeasurementState.h"
#include "quorl/gui/QuorlDialogs.h"
#include "support/AppHarness.h"
#include "support/CommandJournal.h"

namespace krovel {
namespace {

using namespace std::chrono_literals;
using testing::Journal;

class MeasurementCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < PortCount; ++i)
            testing::PointPort(i, "/nonexistent/krovel-app-tty" + std::to_string(i));
        unit = bus.AddDevice("Kinetrak Basic", "KB0002");
        UseFtdiApi(&bus);
        ASSERT_TRUE(h.start());
        for (int s = 0; s < 2; ++s) Series[s].RepCount = 3;
        SeriesCount = 2;
        DataSaved = 0;
        DataPresent = 1;
    }
    void TearDown() override {
        if (!MeasurementIdle) h.router().send(cmd::Stop);
        CloseLink();
        AttachLinkRequest(nullptr);
        UseFtdiApi(nullptr);
    }
    // Runs what the commands posted.
    void RunPosted() {
        ASSERT_TRUE(QTest::qWaitFor([&] { return h.router().pendingPosts() == 0; }, 5000));
    }
    bool Measuring() { return MeasurementIdle == 0 && bus.WaitUntilListening(unit, 5s); }

    SimulatedFtdiBus bus;
    int unit = 0;
    testing::AppHarness h;
    Journal journal;
    testing::JournalPrompts prompts{journal};
    testing::JournalQuorlDialogs quorl{journal};
};

TEST_F(MeasurementCommandsTest, PerformStartsANewMeasurementWhateverTheSaveQuestionLedTo) {
    // Yes, then the save is abandoned in the registry's subject dialog: the table is
    // still emptied for the new measurement.
    prompts.answers.push_back(Answer::Yes);
    ASSERT_TRUE(h.router().send(cmd::Perform));
    EXPECT_EQ(journal, (Journal{"question: Data not saved. Save?", "subject dialog"}));
    EXPECT_EQ(SeriesCount, 2); // nothing happens before the posted request runs
    RunPosted();
    EXPECT_TRUE(Measuring());
    EXPECT_EQ(SeriesCount, 0);
    EXPECT_EQ(Series[1].RepCount, 0);
    h.router().send(cmd::Stop);

    // No: no save at all, the measurement starts again.
    journal.clear();
    ASSERT_TRUE(h.router().send(cmd::Perform));
    RunPosted();
    EXPECT_EQ(journal, (Journal{"question: Data not saved. Save?"}));
    EXPECT_TRUE(Measuring());
}

TEST_F(MeasurementCommandsTest, PerformStartsWithTheSubjectsLastExercise) {
    SubjectRecord anna;
    anna.SubjectName = "Anna";
    const auto folder = quorl::TheSubjectRegistry().add(anna);
    ASSERT_TRUE(folder && quorl::TheSubjectRegistry().select(*folder));
    RememberExercise(*folder, "Bench pull");
    TestHeader.Exercise = "Back squat";
    DataSaved = 1;
    ASSERT_TRUE(h.router().send(cmd::Perform));
    RunPosted();
    EXPECT_TRUE(Measuring());
    EXPECT_EQ(TestHeader.Exercise, "Bench pull");
}

TEST_F(MeasurementCommandsTest, AppendSetKeepsTheStoredSeriesAndStopsAtAThousand) {
    DataSaved = 1;
    ASSERT_TRUE(h.router().send(cmd::AppendSet));
    RunPosted();
    EXPECT_TRUE(journal.empty()); // no question: the set is added to what is in memory
    ASSERT_TRUE(Measuring());
    EXPECT_EQ(SeriesCount, 2);
    h.router().send(cmd::Stop);
    EXPECT_EQ(SeriesCount, 3);

    SeriesCount = MaxSeries;
    ASSERT_TRUE(h.router().send(cmd::AppendSet));
    RunPosted();
    EXPECT_EQ(MeasurementIdle, 1);
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(DeviceLink.UsbOpen, 0);
}

TEST_F(MeasurementCommandsTest, AppendSetWithNewSubjectAppendsEvenWhenOpenIsCancelled) {
    DataSaved = 1;
    CurrentSeries = 0;
    ASSERT_TRUE(h.router().send(cmd::AppendSetNewSubject));
    // The overview ran at once; Open and the append request wait in the queue.
    EXPECT_EQ(CurrentSeries, 1);
    EXPECT_EQ(h.router().pendingPosts(), 2);
    EXPECT_TRUE(journal.empty());
    RunPosted(); // the registry's load dialog is cancelled
    EXPECT_EQ(journal, (Journal{"load dialog"}));
    ASSERT_TRUE(Measuring());
    h.router().send(cmd::Stop);
    EXPECT_EQ(SeriesCount, 3);
}

TEST_F(MeasurementCommandsTest, ARunningMeasurementRefusesTheCommandsThatWouldDisturbIt) {
    MeasurementIdle = 0;
    StoreFinished(LiveMeasurement.LiveRequest, 0);
    QSignalSpy refused(&h.router(), &CommandRouter::commandRefused);
    QTest::keyClick(&h.frame(), Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(&h.frame(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_FALSE(h.router().send(cmd::AppendSetNewSubject));
    EXPECT_EQ(refused.count(), 3);
    EXPECT_EQ(h.router().pendingPosts(), 0);
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(SeriesCount, 2);

    // Greyed in the menu and on the toolbar as long as it runs; Digital waits for the end
    // of the measurement too.
    h.router().refreshActions();
    for (int id :
         {cmd::FileOpen, cmd::Save, cmd::ImportData, cmd::Perform, cmd::AppendSet,
          cmd::AppendSetNewSubject, cmd::DiagnosticGraph, cmd::ExerciseGraph, cmd::DigitalReport}) {
        EXPECT_FALSE(h.frame().menuAction(id)->isEnabled()) << id;
        EXPECT_FALSE(h.frame().toolbarAction(id)->isEnabled()) << id;
    }
    EXPECT_FALSE(h.frame().toolbarAction(cmd::AxesSetup)->isEnabled());

    MeasurementIdle = 1;
    StoreFinished(LiveMeasurement.LiveRequest, 1);
    h.router().refreshActions();
    for (int id : {cmd::FileOpen, cmd::Save, cmd::ImportData, cmd::Perform, cmd::AppendSet,
                   cmd::AppendSetNewSubject, cmd::DigitalReport})
        EXPECT_TRUE(h.frame().menuAction(id)->isEnabled()) << id;
    DataPresent = 0;
    h.router().refreshActions();
    for (int id : {cmd::Save, cmd::DigitalReport, cmd::ExerciseGraph})
        EXPECT_FALSE(h.frame().menuAction(id)->isEnabled()) << id;
}

} // namespace
} // namespace krovel
