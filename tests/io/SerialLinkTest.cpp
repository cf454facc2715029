#include <QSettings>

#include "LinkTestSupport.h"
#include "device/io/SerialTransport.h"

namespace krovel {
namespace {

using testing::LinkTest;
using testing::PointPort;
using testing::PseudoTerminal;
using testing::WaitUntil;

using SerialLinkTest = LinkTest;

TEST_F(SerialLinkTest, LiveFramesOverThePortFillTheTableWhenNoUsbDeviceIsAttached) {
    PseudoTerminal line;
    ASSERT_TRUE(line.ok());
    PointPort(0, line.SlavePath());
    LinkRequestRecord request = LiveRequest(0);

    ASSERT_EQ(OpenLiveLink(request), 1);
    EXPECT_EQ(DeviceLink.SerialOpen, 1);
    EXPECT_EQ(DeviceLink.UsbOpen, 0);
    EXPECT_EQ(request.BulkMode, 0);

    // Noise before the first start byte, then two sets; the second set's frames arrive
    // split across writes as a serial line may deliver them.
    const std::vector<uint8_t> first = testing::SetFrames(testing::MakeSet(40, 3));
    const std::vector<uint8_t> second = testing::SetFrames(testing::MakeSet(60, 2));
    ASSERT_TRUE(line.Write(std::vector<uint8_t>{0x05, 0x07}));
    ASSERT_TRUE(line.Write(first));
    ASSERT_TRUE(line.Write(std::span(second).first(13)));
    ASSERT_TRUE(line.Write(std::span(second).subspan(13)));

    ASSERT_TRUE(WaitUntil([] { return LoadSeriesCount() == 1 && LoadRepCount(1) == 2; }));
    EXPECT_EQ(LoadRepCount(0), 3);
    EXPECT_EQ(Series[0].Mass, 40.0f);
    EXPECT_EQ(Series[1].Mass, 60.0f);
    EXPECT_EQ(Series[0].MeanVelocity[1], 49); // 0.98 m/s
    EXPECT_EQ(Series[1].MaxPower[1], 201.0f);

    CloseLink();
    EXPECT_EQ(DeviceLink.SerialOpen, 0);
    EXPECT_FALSE(SerialReaderRunning());
}

TEST_F(SerialLinkTest, ClosingBeforeAnyByteArrivedEndsTheReaderAndFreesThePort) {
    PseudoTerminal line;
    ASSERT_TRUE(line.ok());
    PointPort(0, line.SlavePath());
    LinkRequestRecord request = LiveRequest(0);

    ASSERT_EQ(OpenLiveLink(request), 1);
    ASSERT_TRUE(SerialReaderRunning());
    // A second open of the transport itself is refused and leaves the reader running.
    EXPECT_EQ(OpenSerial(0), 0);
    EXPECT_TRUE(SerialReaderRunning());
    CloseLink();
    EXPECT_FALSE(SerialReaderRunning());

    // The port was given back: it opens again at once.
    ASSERT_EQ(OpenLiveLink(request), 1);
    CloseLink();
}

TEST_F(SerialLinkTest, LineVanishingWhileOpenEndsTheReaderAndALaterOpenWorks) {
    LinkRequestRecord request = LiveRequest(0);
    {
        PseudoTerminal line;
        ASSERT_TRUE(line.ok());
        PointPort(0, line.SlavePath());
        ASSERT_EQ(OpenLiveLink(request), 1);
        EXPECT_FALSE(LinkLost());
        line.CloseMaster();
        ASSERT_TRUE(WaitUntil([] { return !SerialReaderRunning(); }));
    }
    // The dead link still counts as open until it is closed; it is reported as lost
    // until the next open.
    EXPECT_EQ(DeviceLink.SerialOpen, 1);
    EXPECT_TRUE(LinkLost());
    EXPECT_EQ(OpenLiveLink(request), 0);
    CloseLink();
    EXPECT_EQ(DeviceLink.SerialOpen, 0);
    EXPECT_TRUE(LinkLost());

    PseudoTerminal replugged;
    ASSERT_TRUE(replugged.ok());
    PointPort(0, replugged.SlavePath());
    ASSERT_EQ(OpenLiveLink(request), 1);
    EXPECT_FALSE(LinkLost());
    ASSERT_TRUE(replugged.Write(testing::SetFrames(testing::MakeSet(20, 1))));
    EXPECT_TRUE(WaitUntil([] { return LoadRepCount(0) == 1; }));
    CloseLink();
    EXPECT_FALSE(LinkLost()); // an ordinary close is no loss
}

TEST_F(SerialLinkTest, FailedOpenLeavesNoLinkAndTheNextOpenTriesAgain) {
    LinkRequestRecord request = LiveRequest(0); // COM1 points at a missing device
    EXPECT_EQ(OpenLiveLink(request), 0);
    EXPECT_EQ(DeviceLink.SerialOpen, 0);
    EXPECT_EQ(DeviceLink.UsbOpen, 0);

    PseudoTerminal line;
    ASSERT_TRUE(line.ok());
    PointPort(0, line.SlavePath());
    EXPECT_EQ(OpenLiveLink(request), 1);
}

TEST_F(SerialLinkTest, PortIndexOutsideTheTableFailsTheOpen) {
    PseudoTerminal line;
    ASSERT_TRUE(line.ok());
    for (int i = 0; i < PortCount; ++i) PointPort(i, line.SlavePath());
    for (int32_t index : {7, 5, -1}) {
        LinkRequestRecord request = LiveRequest(index);
        EXPECT_EQ(OpenLiveLink(request), 0) << index;
        EXPECT_EQ(DeviceLink.SerialOpen, 0);
        EXPECT_EQ(PortDevicePath(index), "");
    }
    // The last entry of the table is a port like the others.
    LinkRequestRecord request = LiveRequest(4);
    EXPECT_EQ(OpenLiveLink(request), 1);
}

TEST_F(SerialLinkTest, PortPathComesFromEnvironmentThenSettingsThenTheDefault) {
    unsetenv("KROVEL_PORT_COM2");
    unsetenv("KROVEL_PORT_COM3");
    QSettings settings("Marvolen Krovel", "Kelvane");
    settings.setValue("Ports/COM2", "/dev/ttyUSB7");
    settings.remove("Ports/COM3");
    settings.sync();

    EXPECT_EQ(PortDevicePath(1), "/dev/ttyUSB7");
    EXPECT_EQ(PortDevicePath(2), "/dev/ttyS2");
    PointPort(1, "/dev/pts/42");
    EXPECT_EQ(PortDevicePath(1), "/dev/pts/42");
    settings.remove("Ports/COM2");
}

} // namespace
} // namespace krovel
