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

TEST_F(DemoDeviceTest, LiveMeasurementReceivesTheWholeSession) {
    LinkRequestRecord request = LiveRequest();
    ASSERT_EQ(OpenLiveLink(request), 1);
    EXPECT_EQ(DeviceLink.UsbOpen, 1);
    const int last = static_cast<int>(session.size()) - 1;
    const int lastReps = static_cast<int>(session.back().Reps.size());
    ASSERT_TRUE(
        WaitUntil([&] { return LoadSeriesCount() == last && LoadRepCount(last) == lastReps; }));
    for (int s = 0; s <= last; ++s) {
        EXPECT_EQ(LoadRepCount(s), static_cast<int32_t>(session[s].Reps.size()));
        EXPECT_EQ(Series[s].Mass, session[s].Mass);
    }
    CloseLink();

    // Every measurement plays the session from its start again.
    ResetDataModel();
    request = LiveRequest();
    ASSERT_EQ(OpenLiveLink(request), 1);
    ASSERT_TRUE(
        WaitUntil([&] { return LoadSeriesCount() == last && LoadRepCount(last) == lastReps; }));
}

TEST_F(DemoDeviceTest, ClosingWhileTheSessionPlaysKeepsWhatArrivedWhole) {
    demo = MakeDemoBus(DevicePace{5, 15, 0});
    UseFtdiApi(demo.get());
    LinkRequestRecord request = LiveRequest();
    ASSERT_EQ(OpenLiveLink(request), 1);
    ASSERT_TRUE(WaitUntil([] { return LoadSeriesCount() == 1; }));
    CloseLink();
    EXPECT_FALSE(UsbReaderRunning());
    const int32_t open = LoadSeriesCount();
    for (int s = 0; s < open; ++s) EXPECT_EQ(LoadRepCount(s), std::ssize(session[s].Reps)) << s;
    EXPECT_LE(LoadRepCount(open), std::ssize(session[open].Reps));
    EXPECT_EQ(Series[open].Mass, session[open].Mass);
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
