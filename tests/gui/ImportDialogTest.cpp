// The import dialog and the Import data command against a "Kinetrak Basic" unit on the
// simulated FTDI bus (and a pseudo-terminal for the serial fallback): progress, the
// result text, the table replaced only by a complete transfer, Cancel at any moment.
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>

#include "base/core/CommandIds.h"
#include "data/core/Settings.h"
#include "device/core/HandOver.h"
#include "device/gui/CImportDlg.h"
#include "io/LinkTestSupport.h"
#include "support/AppHarness.h"

namespace krovel {
namespace {

using namespace std::chrono_literals;
using testing::MakeSet;

std::vector<uint8_t> Transfer(std::initializer_list<int> repsPerSet) {
    std::vector<SessionSet> sets;
    uint8_t mass = 30;
    for (int reps : repsPerSet) sets.push_back(MakeSet(mass += 10, reps));
    return EncodeBulkTransfer(sets);
}

class ImportDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < PortCount; ++i)
            testing::PointPort(i, "/nonexistent/krovel-import-tty" + std::to_string(i));
        UseFtdiApi(&bus);
        ASSERT_TRUE(h.start());
        // Five stored, saved series the import would replace.
        for (int s = 0; s < 5; ++s) {
            Series[s].RepCount = 2;
            Series[s].Mass = 100.0f;
        }
        SeriesCount = 5;
        DataSaved = 1;
        DataPresent = 1;
    }
    void TearDown() override {
        CloseLink();
        AttachLinkRequest(nullptr);
        UseFtdiApi(nullptr);
    }

    // The dialog listening to the unit, shown as the command shows it.
    std::unique_ptr<CImportDlg> Open() {
        auto dialog = std::make_unique<CImportDlg>(&h.frame());
        EXPECT_TRUE(dialog->StartReceiving());
        dialog->show();
        EXPECT_TRUE(bus.WaitUntilListening(unit, 5s));
        return dialog;
    }
    bool Send(const std::vector<uint8_t>& bytes) { return bus.Send(unit, bytes); }
    static QString Text(CImportDlg& d) { return d.form().label(IdImportText)->text(); }
    static bool OkVisible(CImportDlg& d) { return d.form().button(cmd::DialogOk)->isVisible(); }
    static void Press(CImportDlg& d, int id) { d.form().button(id)->click(); }
    bool WaitForEnd(CImportDlg& d) {
        return QTest::qWaitFor([&] { return !d.receiving(); }, 5000);
    }
    void ExpectTableUntouched() {
        EXPECT_EQ(SeriesCount, 5);
        EXPECT_FLOAT_EQ(Series[4].Mass, 100.0f);
        EXPECT_EQ(Series[4].RepCount, 2);
    }

    SimulatedFtdiBus bus;
    int unit = bus.AddDevice("Kinetrak Basic", "KB0003");
    testing::AppHarness h;
};

TEST_F(ImportDialogTest, ThreeStoredSetsReplaceTheTable) {
    auto d = Open();
    EXPECT_EQ(Text(*d), "Ready to receiving.");
    EXPECT_FALSE(OkVisible(*d));
    const int32_t opened = static_cast<int32_t>(std::time(nullptr));

    const std::vector<uint8_t> bytes = Transfer({2, 3, 4});
    ASSERT_TRUE(Send(bytes));
    ASSERT_TRUE(WaitForEnd(*d));
    EXPECT_EQ(Text(*d), "Transfer OK. Number of series: 3");
    EXPECT_TRUE(OkVisible(*d));
    QProgressBar* bar = d->form().progressBar(IdImportProgress);
    EXPECT_EQ(bar->maximum(), static_cast<int>(bytes.size()));
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(DeviceLink.UsbOpen, 0); // the link is closed at the end

    EXPECT_EQ(SeriesCount, 3);
    EXPECT_EQ(Series[2].RepCount, 4);
    EXPECT_FLOAT_EQ(Series[2].Mass, 60.0f);
    EXPECT_NEAR(Series[0].StartTime, opened, 5);

    Press(*d, cmd::DialogOk);
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(DataSaved, 0);
    EXPECT_EQ(DataPresent, 1);
}

TEST_F(ImportDialogTest, ATransferOfOneBlockKeepsNoSeries) {
    auto d = Open();
    ASSERT_TRUE(Send(Transfer({})));
    ASSERT_TRUE(WaitForEnd(*d));
    EXPECT_EQ(Text(*d), "Transfer OK. Number of series: 0");
    EXPECT_EQ(SeriesCount, 0);
}

TEST_F(ImportDialogTest, ATransferShorterThanFiveBytesLeavesTheTable) {
    auto d = Open();
    ASSERT_TRUE(Send({4, 0, 7, 9}));
    ASSERT_TRUE(WaitForEnd(*d));
    EXPECT_EQ(Text(*d), "No series were received.");
    EXPECT_TRUE(OkVisible(*d));
    EXPECT_EQ(LoadBulkLength(), -1);
    ExpectTableUntouched();
    // OK still marks the table unsaved and present.
    Press(*d, cmd::DialogOk);
    EXPECT_EQ(DataSaved, 0);
}

TEST_F(ImportDialogTest, TheProgressRangeWaitsForTheDeclaredLength) {
    auto d = Open();
    QProgressBar* bar = d->form().progressBar(IdImportProgress);
    const int initialMaximum = bar->maximum();
    const std::vector<uint8_t> bytes = Transfer({5});
    ASSERT_TRUE(Send({bytes[0]}));
    QTest::qWait(3 * ImportTickMs);
    EXPECT_EQ(LoadBulkCount(), 1);
    EXPECT_EQ(bar->maximum(), initialMaximum); // one byte does not tell the length

    ASSERT_TRUE(Send({bytes.begin() + 1, bytes.begin() + 10}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->value() == 10; }, 3000));
    EXPECT_EQ(bar->maximum(), static_cast<int>(bytes.size()));
    EXPECT_TRUE(d->receiving());

    // Cancel in the middle: the link closes at once and the table stays.
    Press(*d, cmd::DialogCancel);
    EXPECT_EQ(d->result(), QDialog::Rejected);
    EXPECT_FALSE(d->receiving());
    EXPECT_EQ(DeviceLink.UsbOpen, 0);
    ExpectTableUntouched();
    EXPECT_EQ(DataSaved, 1);
}

TEST_F(ImportDialogTest, CancelBeforeAnyByteAndTheNextImportListensAgain) {
    auto d = Open();
    Press(*d, cmd::DialogCancel);
    EXPECT_EQ(DeviceLink.UsbOpen, 0);
    ExpectTableUntouched();

    auto again = Open();
    ASSERT_TRUE(Send(Transfer({1, 1})));
    ASSERT_TRUE(WaitForEnd(*again));
    EXPECT_EQ(SeriesCount, 2);
}

TEST_F(ImportDialogTest, ClosingAfterTheTableWasReplacedKeepsTheImportUnsaved) {
    auto d = Open();
    ASSERT_TRUE(Send(Transfer({2, 2})));
    ASSERT_TRUE(WaitForEnd(*d));
    d->reject(); // Esc or the close box once the series are in the table
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(SeriesCount, 2);
    EXPECT_EQ(DataSaved, 0);
}

TEST_F(ImportDialogTest, TheCommandAsksToSaveAndShowsTheOverviewAfterOk) {
    DataSaved = 0;
    CurrentSeries = 0;
    bool sawDialog = false;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<CImportDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        sawDialog = true;
        ASSERT_TRUE(bus.WaitUntilListening(unit, 5s));
        ASSERT_TRUE(Send(Transfer({3, 3})));
        ASSERT_TRUE(WaitForEnd(*d));
        Press(*d, cmd::DialogOk);
    });
    ASSERT_TRUE(h.router().send(cmd::ImportData));
    EXPECT_TRUE(sawDialog);
    EXPECT_EQ(h.prompts.texts(), (std::vector<std::string>{"Data not saved. Save?"}));
    EXPECT_EQ(SeriesCount, 2);
    EXPECT_EQ(CurrentSeries, 0); // the overview is posted
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.router().pendingPosts() == 0; }, 3000));
    EXPECT_EQ(CurrentSeries, 1);
}

TEST_F(ImportDialogTest, NoDeviceAnsweringEndsTheCommandWithAMessage) {
    bus.Unplug(unit);
    DataSaved = 1;
    ASSERT_TRUE(h.router().send(cmd::ImportData));
    EXPECT_EQ(h.prompts.texts(), (std::vector<std::string>{"Error in communication"}));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(h.router().pendingPosts(), 0);
    ExpectTableUntouched();
}

TEST_F(ImportDialogTest, WithoutTheUnitTheImportListensOnTheChosenPort) {
    bus.Unplug(unit);
    testing::PseudoTerminal line;
    ASSERT_TRUE(line.ok());
    testing::PointPort(2, line.SlavePath());
    PortSetting = 2;
    auto d = std::make_unique<CImportDlg>(&h.frame());
    ASSERT_TRUE(d->StartReceiving());
    EXPECT_EQ(DeviceLink.SerialOpen, 1);
    const std::vector<uint8_t> bytes = Transfer({4, 2});
    ASSERT_TRUE(line.Write(bytes));
    ASSERT_TRUE(WaitForEnd(*d));
    EXPECT_EQ(SeriesCount, 2);
}

} // namespace
} // namespace krovel
