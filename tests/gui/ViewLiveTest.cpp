// The live measurement end to end: the view started through the router, frames sent by
// a "Kinetrak Basic" unit on the simulated FTDI bus, the tick command sent directly.
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>

#include "base/core/CommandIds.h"
#include "device/gui/PortPane.h"
#include "device/io/DeviceLink.h"
#include "io/LinkTestSupport.h"
#include "measure/gui/SignalSounds.h"
#include "measure/gui/VelocityLossStopSetting.h"
#include "support/ViewHarness.h"
#include "ui/gui/SubjectBar.h"

namespace krovel {
namespace {

using namespace std::chrono_literals;
using testing::MakeSet;
using testing::SetFrames;
using testing::WaitUntil;

class ViewLiveTest : public ::testing::Test {
protected:
    void SetUp() override {
        // No test may open a real serial port when the unit is missing.
        for (int i = 0; i < PortCount; ++i)
            testing::PointPort(i, "/nonexistent/krovel-view-tty" + std::to_string(i));
        unit = bus.AddDevice("Kinetrak Basic", "KB0001");
        UseFtdiApi(&bus);
    }
    void TearDown() override {
        CloseLink();
        AttachLinkRequest(nullptr);
        UseFtdiApi(nullptr);
    }

    // Starts a new measurement and waits until the unit is listened to.
    void Start() {
        ASSERT_TRUE(h.router.send(cmd::NewMeasurement));
        ASSERT_EQ(MeasurementIdle, 0);
        ASSERT_TRUE(bus.WaitUntilListening(unit, 5s));
    }
    // The unit sends `reps` repetitions of a set (the first one marked as its start),
    // and they have all arrived in entry `series`.
    void Send(int reps, int series = 0, uint8_t mass = 20) {
        const int before = LoadRepCount(series);
        ASSERT_TRUE(bus.Send(unit, SetFrames(MakeSet(mass, reps))));
        ASSERT_TRUE(WaitUntil([&] {
            return LoadSeriesCount() >= series && LoadRepCount(series) == reps;
        })) << "before "
            << before;
    }
    void Tick() { h.router.send(cmd::Tick); }
    bool StopVisible() const { return h.view().subjectBar().button(IdStop)->isVisible(); }

    SimulatedFtdiBus bus;
    int unit = 0;
    testing::ViewHarness h;
};

TEST_F(ViewLiveTest, EachTickShowsOneReceivedRepetition) {
    Start();
    EXPECT_EQ(h.view().ViewMode, ViewModeLive);
    EXPECT_EQ(DataPresent, 1);
    EXPECT_TRUE(StopVisible());
    EXPECT_TRUE(h.view().liveTimerActive());
    EXPECT_EQ(h.table().geometry(), QRect(10, 360, 800, 180));
    EXPECT_FALSE(h.router.isEnabled(cmd::DigitalReport)); // no report while measuring

    Send(3);
    EXPECT_EQ(LoadSeriesCount(), 0); // the start marker filled entry 0
    for (int row = 1; row <= 3; ++row) {
        Tick();
        ASSERT_EQ(h.table().rowCount(), row);
        EXPECT_EQ(h.cell(row - 1, 0), std::to_string(row));
    }
    Tick(); // nothing more waiting
    EXPECT_EQ(h.table().rowCount(), 3);
    EXPECT_EQ(LiveMeasurement.LiveShownCount, 3);
    EXPECT_EQ(h.table().columnCount(), RepColumnCount);
    EXPECT_EQ(h.cell(0, 6), " 100.0");
    EXPECT_FLOAT_EQ(LiveMeasurement.LiveValues[0], RepetitionValue(0, 0, ValueKind::MeanPower));
    EXPECT_FLOAT_EQ(LiveMeasurement.LivePeakPower,
                    LiveMeasurement.LiveValues[0]); // velocity falls within the set
    EXPECT_NE(Series[0].StartTime, 0);

    ASSERT_TRUE(h.router.send(cmd::Stop));
    EXPECT_EQ(SeriesCount, 1);
    EXPECT_EQ(h.view().ViewMode, ViewModeNone);
    EXPECT_EQ(MeasurementIdle, 1);
    EXPECT_EQ(DataSaved, 0);
    EXPECT_FALSE(StopVisible());
    EXPECT_FALSE(h.view().liveTimerActive());
    EXPECT_FALSE(h.view().subjectBar().edit(IdSignalBelow)->isEnabled());
    EXPECT_TRUE(h.router.isEnabled(cmd::DigitalReport));

    // A tick queued before STOP and delivered after it changes nothing.
    Tick();
    EXPECT_EQ(SeriesCount, 1);
    EXPECT_EQ(h.table().rowCount(), 3);
    // Neither does a second STOP.
    h.router.send(cmd::Stop);
    EXPECT_EQ(SeriesCount, 1);
}

// The program installs its sounds unread; the clips and the plugin come with the set.
TEST_F(ViewLiveTest, TheSoundsAreReadiedAsTheSetStartsBeforeItsFirstRepetition) {
    SignalSounds sounds;
    InstallSignalSounds(&sounds);
    const bool before = sounds.prepared() || sounds.loaded(UpperSignalSound);
    Start();
    InstallSignalSounds(nullptr);
    EXPECT_FALSE(before);
    EXPECT_TRUE(sounds.prepared());
    EXPECT_TRUE(sounds.loaded(UpperSignalSound));
    EXPECT_TRUE(sounds.loaded(StopSignalSound));
}

TEST_F(ViewLiveTest, TheTimerPostsTheTicks) {
    Start();
    Send(2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return h.table().rowCount() == 2; }, 3000));
    h.router.send(cmd::Stop);
}

TEST_F(ViewLiveTest, ANewSetFromTheUnitEmptiesTheTable) {
    Start();
    Send(3);
    Tick();
    Send(2, 1, 40); // the unit starts the next set
    EXPECT_EQ(LoadSeriesCount(), 1);
    Tick();
    EXPECT_EQ(CurrentSeries, 1);
    ASSERT_EQ(h.table().rowCount(), 1);
    EXPECT_EQ(h.cell(0, 0), "1");
    EXPECT_EQ(h.cell(0, 1), " 40.00");
    h.router.send(cmd::Stop);
    EXPECT_EQ(SeriesCount, 2);
    EXPECT_EQ(Series[0].RepCount, 3); // the rows not shown live stay stored
    EXPECT_EQ(h.table().rowCount(), 2);
}

TEST_F(ViewLiveTest, StopTakesOverExactlyOneWaitingRepetition) {
    Start();
    Send(5);
    Tick();
    h.router.send(cmd::Stop);
    ASSERT_EQ(h.table().rowCount(), 2);
    EXPECT_EQ(h.cell(1, 0), "2");
    // The last row belongs to the series shown: same columns, same peak.
    EXPECT_EQ(h.table().columnCount(), RepColumnCount);
    EXPECT_LT(std::stod(h.cell(1, 6)), 100.0);
    EXPECT_EQ(Series[0].RepCount, 5);
    EXPECT_EQ(SeriesCount, 1);
}

TEST_F(ViewLiveTest, StopWithNothingReceivedStillCountsTheSeries) {
    Start();
    Tick();
    QTest::keyClick(&h.view(), Qt::Key_Escape);
    EXPECT_EQ(MeasurementIdle, 1);
    EXPECT_EQ(SeriesCount, 1);
    EXPECT_EQ(Series[0].RepCount, 0);
    EXPECT_EQ(h.table().rowCount(), 0);

    // Esc outside the live mode stops nothing and adds nothing.
    QTest::keyClick(&h.view(), Qt::Key_Escape);
    h.router.send(cmd::DigitalReport);
    QTest::keyClick(&h.view(), Qt::Key_Escape);
    EXPECT_EQ(SeriesCount, 1);
    EXPECT_EQ(h.view().ViewMode, ViewModeDigital);
}

TEST_F(ViewLiveTest, AStartWhileRunningChangesNothing) {
    Start();
    Send(2);
    Tick();
    const int opens = bus.OpenCount(unit);
    h.router.send(cmd::NewMeasurement);
    h.router.send(cmd::AppendSetRequest);
    EXPECT_EQ(bus.OpenCount(unit), opens);
    EXPECT_EQ(bus.CloseCount(unit), opens - 1); // the link stays open
    EXPECT_EQ(Series[0].RepCount, 2);
    EXPECT_EQ(h.table().rowCount(), 1);
    Tick();
    EXPECT_EQ(h.table().rowCount(), 2);
    // Esc stops from the table too: the list leaves the key to the view.
    QTest::keyClick(&h.table(), Qt::Key_Escape);
    EXPECT_EQ(MeasurementIdle, 1);
    EXPECT_EQ(SeriesCount, 1);
}

TEST_F(ViewLiveTest, ALiveSeriesNeverShowsMoreThanOneHundredRows) {
    Start();
    StoreRepCount(0, 150); // a count no decoder writes; the view must not follow it
    for (int i = 0; i < 101; ++i) Tick();
    EXPECT_EQ(h.table().rowCount(), MaxRepetitions);
    EXPECT_EQ(LiveMeasurement.LiveShownCount, MaxRepetitions);
    h.router.send(cmd::Stop);
    EXPECT_EQ(h.table().rowCount(), MaxRepetitions);
}

TEST_F(ViewLiveTest, AppendSetFillsTheEntryAfterTheStoredSeries) {
    testing::PutSeries(0, 4, 20.0f);
    testing::PutSeries(1, 7, 20.0f); // an old count in the entry to be filled
    SeriesCount = 1;
    ASSERT_TRUE(h.router.send(cmd::AppendSetRequest));
    ASSERT_TRUE(bus.WaitUntilListening(unit, 5s));
    EXPECT_EQ(LoadRepCount(1), 0);
    Send(2, 1, 60); // the start marker of the set fills entry 1
    EXPECT_EQ(LoadSeriesCount(), 1);
    Tick();
    EXPECT_EQ(CurrentSeries, 1);
    EXPECT_EQ(h.cell(0, 1), " 60.00");
    h.router.send(cmd::Stop);
    EXPECT_EQ(SeriesCount, 2);
    EXPECT_EQ(Series[0].RepCount, 4);
    EXPECT_EQ(Series[1].RepCount, 2);
}

TEST_F(ViewLiveTest, AStartWithoutTheUnitReportsAndCanBeRetried) {
    Start();
    Send(2);
    Tick();
    h.router.send(cmd::Stop); // the set's row stays in the table

    bus.Unplug(unit);
    qputenv("KROVEL_PORT_COM1", "/nonexistent/ttyKrovel");
    h.router.send(cmd::NewMeasurement);
    qunsetenv("KROVEL_PORT_COM1");
    EXPECT_EQ(h.prompts.texts(), std::vector<std::string>{"Error in communication"});
    // The status bar says what was tried and the system's reason.
    EXPECT_EQ(h.prompts.statusTexts,
              std::vector<std::string>{"no USB unit \"Kinetrak Basic\"; COM1 "
                                       "(/nonexistent/ttyKrovel): No such file or directory"});
    EXPECT_EQ(MeasurementIdle, 1);
    EXPECT_FALSE(h.view().liveTimerActive());
    EXPECT_FALSE(StopVisible());
    EXPECT_EQ(LoadFinished(LiveMeasurement.LiveRequest), 1);
    // The view shows the emptied table as it is, not a live graph or the old rows.
    EXPECT_EQ(h.view().ViewMode, ViewModeNone);
    EXPECT_EQ(h.table().rowCount(), 0);
    EXPECT_FALSE(h.table().isVisible());
    QTest::keyClick(&h.view(), Qt::Key_Escape); // nothing runs, nothing to stop
    EXPECT_EQ(SeriesCount, 0);

    const int second = bus.AddDevice("Kinetrak Basic", "KB0002");
    h.router.send(cmd::NewMeasurement);
    EXPECT_EQ(MeasurementIdle, 0);
    EXPECT_TRUE(bus.IsOpen(second));
    h.router.send(cmd::Stop);
}

TEST_F(ViewLiveTest, EachSeriesIsJudgedWithItsOwnThresholds) {
    Start();
    SessionSet strict = MakeSet(20, 2);
    strict.SignalAbovePct = 95;
    ASSERT_TRUE(bus.Send(unit, SetFrames(strict)));
    ASSERT_TRUE(WaitUntil([] { return LoadRepCount(0) == 2; }));
    Tick();
    Tick();     // the bar now shows 95 %
    Send(2, 1); // the next set signals above 100 %
    for (int rep = 0; rep < 2; ++rep) {
        Tick();
        ASSERT_EQ(CurrentSeries, 1);
        // With "above 100 %" the upper threshold is the peak itself: never crossed, and
        // a series is never judged with the previous series' thresholds.
        EXPECT_EQ(LiveMeasurement.UpperSignal, LiveMeasurement.LivePeakPower)
            << "repetition " << rep;
        EXPECT_EQ(LiveMeasurement.LowerSignal,
                  static_cast<float>(LiveMeasurement.LivePeakPower * 0.9))
            << "repetition " << rep;
    }
    h.router.send(cmd::Stop);
}

TEST_F(ViewLiveTest, EverySeriesOfABurstGetsAStartTime) {
    Start();
    std::vector<uint8_t> burst;
    for (uint8_t mass : {20, 30, 40, 50}) {
        const std::vector<uint8_t> frames = SetFrames(MakeSet(mass, 2));
        burst.insert(burst.end(), frames.begin(), frames.end());
    }
    const auto before = static_cast<int32_t>(std::time(nullptr));
    ASSERT_TRUE(bus.Send(unit, burst));
    ASSERT_TRUE(WaitUntil([] { return LoadSeriesCount() == 3 && LoadRepCount(3) == 2; }));
    Tick(); // the tick follows one series per tick: most are never shown
    h.router.send(cmd::Stop);
    ASSERT_EQ(SeriesCount, 4);
    for (int s = 0; s < 4; ++s) {
        EXPECT_GE(Series[s].StartTime, before) << "series " << s;
        EXPECT_LE(Series[s].StartTime, static_cast<int32_t>(std::time(nullptr)));
    }
}

TEST_F(ViewLiveTest, AUnitLostMidSetIsShownInThePortPaneUntilTheNextStart) {
    PortPane pane(h.router);
    const QString port = pane.text();
    Start();
    Send(2);
    Tick();
    bus.Unplug(unit);
    EXPECT_TRUE(QTest::qWaitFor([&] { return pane.text() == LinkLostText; }, 5000));
    EXPECT_EQ(MeasurementIdle, 0); // nothing interrupted, no message
    EXPECT_TRUE(h.prompts.texts().empty());
    h.router.send(cmd::Stop);
    EXPECT_EQ(SeriesCount, 1);
    pane.refresh();
    EXPECT_EQ(pane.text(), LinkLostText);

    const int second = bus.AddDevice("Kinetrak Basic", "KB0002");
    h.router.send(cmd::NewMeasurement);
    ASSERT_TRUE(bus.IsOpen(second));
    EXPECT_TRUE(QTest::qWaitFor([&] { return pane.text() == port; }, 2000));
    h.router.send(cmd::Stop);
}

// The user's own stop share is put back after each test.
class VelocityLossStopTest : public ViewLiveTest {
protected:
    void SetUp() override {
        ViewLiveTest::SetUp();
        saved = QSettings("Marvolen Krovel", "Kelvane").value(VelocityLossStopKey);
    }
    void TearDown() override {
        QSettings settings("Marvolen Krovel", "Kelvane");
        if (saved.isValid())
            settings.setValue(VelocityLossStopKey, saved);
        else
            settings.remove(VelocityLossStopKey);
        ViewLiveTest::TearDown();
    }
    QVariant saved;
};

TEST_F(VelocityLossStopTest, TheSettingRoundTripsAndRefusesOutOfRange) {
    for (int stored : {20, 0, 50}) {
        WriteVelocityLossStop(stored);
        EXPECT_EQ(QSettings("Marvolen Krovel", "Kelvane").value(VelocityLossStopKey).toInt(),
                  stored);
        EXPECT_EQ(ReadVelocityLossStop(), stored);
    }
    QSettings("Marvolen Krovel", "Kelvane").setValue(VelocityLossStopKey, 80);
    EXPECT_EQ(ReadVelocityLossStop(), 0);
}

// The set's mean velocity falls by 0.02 m/s per repetition from 1.00 m/s: 20 % is
// reached at the 11th repetition (0.80 m/s).
TEST_F(VelocityLossStopTest, TheCueFiresOncePerSeriesAtTheShare) {
    struct Case {
        int percent;
        int firesAt; // 0: never
        const char* note;
    };
    for (const Case c :
         {Case{20, 11, "0.78 m/s\nLoss 22 %\nVelocity loss 20 % \u2013 stop"}, Case{0, 0, ""}}) {
        SCOPED_TRACE(c.percent);
        WriteVelocityLossStop(c.percent);
        Start();
        EXPECT_EQ(h.view().lossLabel()->isVisible(), c.percent > 0);
        Send(12);
        for (int rep = 1; rep <= 12; ++rep) {
            Tick();
            EXPECT_EQ(LiveMeasurement.StopFiredRep, rep < c.firesAt ? 0 : c.firesAt) << rep;
        }
        EXPECT_EQ(h.view().lossLabel()->text().toStdString(), c.note);
        Send(2, 1); // the next set starts over
        Tick();
        EXPECT_EQ(LiveMeasurement.StopFiredRep, 0);
        h.router.send(cmd::Stop);
        EXPECT_FALSE(h.view().lossLabel()->isVisible());
        CloseLink();
        ResetDataModel();
    }
}

} // namespace
} // namespace krovel
