#include "device/io/DemoDevice.h"
#include "LinkTestSupport.h"
#include "device/io/UsbTransport.h"

namespace krovel {
namespace {

using testing::LinkTest;
using testing::WaitUntil;

class DemoDeviceTest : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        UseFtdiApi(demo.get());
    }
    std::unique_ptr<SimulatedFtdiBus> demo = MakeDemoBus(DevicePace{0, 0, 0});
    const std::vector<SessionSet> session = BuiltInSession();
};

TEST_F(DemoDeviceTest, PerformPlaysTheFirstSetAndAppendSetTheNextOne) {
    // Perform (an empty table), then Append set after Append set past the last set,
    // then Perform again: the session's set each measurement plays.
    const bool perform[] = {true, false, false, false, false, false, true, false};
    const size_t played[] = {0, 1, 2, 3, 4, 0, 0, 1};
    for (size_t i = 0; i < std::size(perform); ++i) {
        if (perform[i]) ResetDataModel();
        const int32_t entry = LoadSeriesCount();
        const SessionSet& set = session.at(played[i]);
        LinkRequestRecord request = LiveRequest();
        ASSERT_EQ(OpenLiveLink(request), 1) << i;
        EXPECT_EQ(DeviceLink.UsbOpen, 1);
        ASSERT_TRUE(WaitUntil([&] { return LoadRepCount(entry) == std::ssize(set.Reps); })) << i;
        CloseLink();
        EXPECT_EQ(LoadSeriesCount(), entry) << i; // one set only
        EXPECT_EQ(Series[entry].Mass, set.Mass) << i;
        EXPECT_EQ(Series[entry].MeanVelocity[0], MeanVelocityByte(set.Reps[0].MeanVelocity)) << i;
        StoreSeriesCount(entry + 1); // as STOP closes the set
    }
}

TEST_F(DemoDeviceTest, ClosingWhileTheSetPlaysKeepsWhatArrivedWhole) {
    demo = MakeDemoBus(DevicePace{5, 15, 0});
    UseFtdiApi(demo.get());
    LinkRequestRecord request = LiveRequest();
    ASSERT_EQ(OpenLiveLink(request), 1);
    ASSERT_TRUE(WaitUntil([] { return LoadRepCount(0) >= 1; }));
    CloseLink();
    EXPECT_FALSE(UsbReaderRunning());
    EXPECT_LE(LoadRepCount(0), std::ssize(session[0].Reps));
    EXPECT_EQ(Series[0].Mass, session[0].Mass);
}

TEST_F(DemoDeviceTest, ImportReceivesTheStoredSeriesAsOneTransfer) {
    LinkRequestRecord importRequest{};
    BulkCollector.Reset();
    ASSERT_EQ(OpenBulkLink(importRequest), 1);
    ASSERT_TRUE(WaitUntil([&] { return LoadFinished(importRequest) == 1; }));
    CloseLink();
    EXPECT_EQ(LoadBulkCount(), LoadBulkLength());
    EXPECT_EQ(ParseBulkTransfer(99), static_cast<int32_t>(session.size()));
    EXPECT_EQ(Series[1].RepCount, static_cast<int32_t>(session[1].Reps.size()));
}

TEST(DemoPaceTest, EnvironmentSetsTheIntervalBetweenRepetitions) {
    unsetenv("KROVEL_DEMO_PACE_MS");
    EXPECT_EQ(DemoPace().RepIntervalMs, 2000);
    setenv("KROVEL_DEMO_PACE_MS", "50", 1);
    EXPECT_EQ(DemoPace().RepIntervalMs, 50);
    EXPECT_EQ(DemoPace().SetPauseMs, 150);
    setenv("KROVEL_DEMO_PACE_MS", "fast", 1);
    EXPECT_EQ(DemoPace().RepIntervalMs, 2000);
    unsetenv("KROVEL_DEMO_PACE_MS");
}

} // namespace
} // namespace krovel
