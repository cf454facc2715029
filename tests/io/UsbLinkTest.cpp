#include <QString>

#include "LinkTestSupport.h"
#include "device/io/LibFtdiApi.h"
#include "device/io/UsbTransport.h"

namespace krovel {
namespace {

using testing::LinkTest;
using testing::PointPort;
using testing::PseudoTerminal;
using testing::WaitUntil;
using namespace std::chrono_literals;

using UsbLinkTest = LinkTest;

std::vector<std::string> linkWarnings;

void KeepLinkWarning(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && context.category && std::string(context.category) == "krovel.link")
        linkWarnings.push_back(text.toStdString());
}

TEST_F(UsbLinkTest, UnitAfterAnotherChipIsFoundAndOnlyItStaysOpen) {
    const int other = bus.AddDevice("FT232R USB UART", "A1");
    const int unit = bus.AddDevice("Kinetrak Basic", "KB1");
    LinkRequestRecord request = LiveRequest();

    ASSERT_EQ(OpenLiveLink(request), 1);
    EXPECT_EQ(DeviceLink.UsbOpen, 1);
    EXPECT_EQ(DeviceLink.SerialOpen, 0);
    EXPECT_FALSE(bus.IsOpen(other));
    EXPECT_EQ(bus.OpenCount(other), bus.CloseCount(other));
    EXPECT_TRUE(bus.IsOpen(unit));

    ASSERT_TRUE(bus.WaitUntilListening(unit, 10s));
    ASSERT_TRUE(bus.Send(unit, testing::SetFrames(testing::MakeSet(50, 4))));
    ASSERT_TRUE(WaitUntil([] { return LoadRepCount(0) == 4; }));
    EXPECT_EQ(Series[0].Mass, 50.0f);
    EXPECT_EQ(LoadSeriesCount(), 0);

    CloseLink();
    EXPECT_EQ(DeviceLink.UsbOpen, 0);
    EXPECT_FALSE(bus.IsOpen(unit));
}

TEST_F(UsbLinkTest, OnlyTheExactDescriptionIsTheUnit) {
    for (const char* description :
         {"Kinetrak Basic ", "kinetrak basic", "Kinetrak Basic2", " Kinetrak Basic", "Kinetrak"}) {
        SimulatedFtdiBus lookalikes;
        const int id = lookalikes.AddDevice(description, "X");
        UseFtdiApi(&lookalikes);
        EXPECT_FALSE(ProbeUsb()) << '"' << description << '"';
        EXPECT_FALSE(lookalikes.IsOpen(id));
        LinkRequestRecord request = LiveRequest(); // serial port missing: the open fails
        EXPECT_EQ(OpenLiveLink(request), 0);
        EXPECT_EQ(DeviceLink.UsbOpen, 0);
        UseFtdiApi(&bus);
    }
}

TEST_F(UsbLinkTest, UnitVanishingBetweenProbeAndOpenFailsWithoutSerialFallback) {
    const int unit = bus.AddDevice("Kinetrak Basic", "KB1");
    bus.UnplugAfterClose(unit); // gone once the probe closes it
    PseudoTerminal line;        // a working COM1 that must not be used
    ASSERT_TRUE(line.ok());
    PointPort(0, line.SlavePath());
    LinkRequestRecord request = LiveRequest(0);

    EXPECT_EQ(OpenLiveLink(request), 0);
    EXPECT_EQ(DeviceLink.UsbOpen, 0);
    EXPECT_EQ(DeviceLink.SerialOpen, 0);
    EXPECT_EQ(bus.OpenCount(unit), 1);

    // With no unit at all the next open falls back to the serial port.
    EXPECT_EQ(OpenLiveLink(request), 1);
    EXPECT_EQ(DeviceLink.SerialOpen, 1);
}

TEST_F(UsbLinkTest, WithoutLibftdiNoUnitIsFoundTheSerialPortIsTriedAndTheReasonLoggedOnce) {
    LibFtdiApi missing("/nonexistent/libftdi1.so.2");
    UseFtdiApi(&missing);
    linkWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(&KeepLinkWarning);
    LinkRequestRecord request = LiveRequest(0); // COM1 missing
    const int32_t withoutPort = OpenLiveLink(request);
    const std::string failure = LinkFailureText();
    PseudoTerminal line;
    ASSERT_TRUE(line.ok());
    PointPort(0, line.SlavePath());
    const int32_t withPort = OpenLiveLink(request);
    qInstallMessageHandler(previous);

    EXPECT_EQ(withoutPort, 0);
    EXPECT_EQ(failure.rfind("no USB unit \"Kinetrak Basic\"; COM1 (/nonexistent/", 0), 0u)
        << failure;
    EXPECT_EQ(withPort, 1);
    EXPECT_EQ(DeviceLink.SerialOpen, 1);
    ASSERT_EQ(linkWarnings.size(), 1u);
    EXPECT_NE(linkWarnings[0].find("/nonexistent/libftdi1.so.2"), std::string::npos)
        << linkWarnings[0];
}

TEST_F(UsbLinkTest, CloseLinkClosesOnceAndIsHarmlessWhenNothingIsOpen) {
    CloseLink(); // nothing open
    const int unit = bus.AddDevice("Kinetrak Basic", "KB1");
    LinkRequestRecord request = LiveRequest();
    ASSERT_EQ(OpenLiveLink(request), 1);
    EXPECT_EQ(bus.OpenCount(unit), 2); // the probe, then the open
    CloseLink();
    CloseLink();
    EXPECT_EQ(bus.CloseCount(unit), 2);
    EXPECT_EQ(DeviceLink.UsbOpen, 0);
}

TEST_F(UsbLinkTest, LiveOpenWhileTheImportLinkIsOpenIsRefusedAndLeavesItWorking) {
    const int unit = bus.AddDevice("Kinetrak Basic", "KB1");
    LinkRequestRecord importRequest{};
    ASSERT_EQ(OpenBulkLink(importRequest), 1);
    EXPECT_EQ(importRequest.BulkMode, 1);

    LinkRequestRecord live = LiveRequest();
    EXPECT_EQ(OpenLiveLink(live), 0);
    EXPECT_EQ(OpenBulkLink(live), 0);
    EXPECT_EQ(live.BulkMode, 0);
    EXPECT_EQ(AttachedLinkRequest(), &importRequest);
    EXPECT_EQ(bus.OpenCount(unit), 2);

    const std::vector<SessionSet> sets{testing::MakeSet(30, 2), testing::MakeSet(35, 1)};
    ASSERT_TRUE(bus.WaitUntilListening(unit, 10s));
    ASSERT_TRUE(bus.Send(unit, EncodeBulkTransfer(sets)));
    ASSERT_TRUE(WaitUntil([&] { return LoadFinished(importRequest) == 1; }));
    CloseLink();
    EXPECT_EQ(ParseBulkTransfer(0), 2);
}

TEST_F(UsbLinkTest, FailedOpenIsRetriedByTheNextOpen) {
    LinkRequestRecord request = LiveRequest();
    EXPECT_EQ(OpenLiveLink(request), 0); // empty bus, COM1 missing
    const int unit = bus.AddDevice("Kinetrak Basic", "KB1");
    EXPECT_EQ(OpenLiveLink(request), 1);
    EXPECT_TRUE(bus.IsOpen(unit));
}

TEST_F(UsbLinkTest, UnitBeyondTheListingTableIsStillFound) {
    for (int i = 0; i < 40; ++i) bus.AddDevice("FT232R USB UART", "A" + std::to_string(i));
    const int unit = bus.AddDevice("Kinetrak Basic", "KB1");
    const FtHandle handle = FindUsbDevice(DeviceDescription);
    ASSERT_NE(handle, InvalidFtHandle);
    EXPECT_TRUE(bus.IsOpen(unit));
    for (int i = 0; i < 40; ++i) EXPECT_FALSE(bus.IsOpen(i));
    bus.FT_Close(handle);
}

TEST_F(UsbLinkTest, ReaderDeliversABurstLargerThanOneReadChunk) {
    const int unit = bus.AddDevice("Kinetrak Basic", "KB1");
    LinkRequestRecord request = LiveRequest();
    ASSERT_EQ(OpenLiveLink(request), 1);
    ASSERT_TRUE(bus.WaitUntilListening(unit, 10s));
    std::vector<uint8_t> burst; // 5 sets of 60 repetitions: 3000 bytes at once
    for (int s = 0; s < 5; ++s) {
        const std::vector<uint8_t> frames = testing::SetFrames(testing::MakeSet(20 + s, 60));
        burst.insert(burst.end(), frames.begin(), frames.end());
    }
    ASSERT_TRUE(bus.Send(unit, burst));
    ASSERT_TRUE(WaitUntil([] { return LoadSeriesCount() == 4 && LoadRepCount(4) == 60; }));
    EXPECT_EQ(Series[3].Mass, 23.0f);
}

TEST_F(UsbLinkTest, UnitUnpluggedWhileOpenStopsDeliveringAndStillCloses) {
    const int unit = bus.AddDevice("Kinetrak Basic", "KB1");
    LinkRequestRecord request = LiveRequest();
    ASSERT_EQ(OpenLiveLink(request), 1);
    ASSERT_TRUE(bus.WaitUntilListening(unit, 10s));
    bus.Unplug(unit);
    EXPECT_FALSE(bus.Send(unit, testing::SetFrames(testing::MakeSet(20, 1))));
    CloseLink();
    EXPECT_EQ(DeviceLink.UsbOpen, 0);
    EXPECT_FALSE(bus.IsOpen(unit));
    EXPECT_EQ(LoadRepCount(0), 0);
}

} // namespace
} // namespace krovel
