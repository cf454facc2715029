// The link's table of transports: tried in order, the first whose device is there opens.
#include "LinkTestSupport.h"
#include "device/io/Transport.h"

namespace krovel {
namespace {

using testing::LinkTest;
using testing::PointPort;
using testing::PseudoTerminal;

using DeviceLinkTest = LinkTest;

TEST_F(DeviceLinkTest, UsbIsTriedFirstThenTheSerialPortAndTheFailureNamesBoth) {
    ASSERT_EQ(LinkTransports().size(), 2u);
    EXPECT_STREQ(LinkTransports()[UsbEntry]->Name(), "USB");
    EXPECT_STREQ(LinkTransports()[SerialEntry]->Name(), "the serial port");
    struct Case {
        bool unit, port;
        int opened; // the entry that carries the link, -1 for none
    };
    for (const Case c :
         {Case{true, true, UsbEntry}, Case{false, true, SerialEntry}, Case{false, false, -1}}) {
        SimulatedFtdiBus units;
        if (c.unit) units.AddDevice("Kinetrak Basic", "KB1");
        UseFtdiApi(&units);
        PseudoTerminal line;
        ASSERT_TRUE(line.ok());
        PointPort(0, c.port ? line.SlavePath() : "/nonexistent/krovel-tty0");
        LinkRequestRecord request = LiveRequest(0);

        EXPECT_EQ(OpenLiveLink(request), c.opened >= 0 ? 1 : 0) << c.unit << c.port;
        EXPECT_EQ(DeviceLink.OpenTransport, c.opened >= 0 ? LinkTransports()[c.opened] : nullptr);
        EXPECT_EQ(DeviceLink.UsbOpen, c.opened == UsbEntry ? 1 : 0);
        EXPECT_EQ(DeviceLink.SerialOpen, c.opened == SerialEntry ? 1 : 0);
        if (c.opened < 0) {
            EXPECT_EQ(LinkFailureText(), "no USB unit \"Kinetrak Basic\"; COM1 "
                                         "(/nonexistent/krovel-tty0): No such file or directory");
        }
        CloseLink();
        UseFtdiApi(&bus);
    }
}

} // namespace
} // namespace krovel
