// The Y-axes settings dialog and the "Axes setup" command.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "base/core/CommandIds.h"
#include "data/core/Settings.h"
#include "data/core/SubjectBarSync.h"
#include "support/ViewHarness.h"
#include "support/WhenShown.h"
#include "ui/gui/CYaxesDlg.h"
#include "ui/gui/SubjectBar.h"

namespace krovel {
namespace {

using testing::ScriptedPrompts;

bool SameRanges(const AxisRange (&a)[AxisRangeCount], const AxisRange (&b)[AxisRangeCount]) {
    return std::equal(std::begin(a), std::end(a), std::begin(b), [](const auto& x, const auto& y) {
        return x.Min == y.Min && x.Max == y.Max && x.Step == y.Step;
    });
}

class YaxesDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSettings();
        AxisRanges[1] = {-100, 1500, 250};
        std::copy(std::begin(AxisRanges), std::end(AxisRanges), std::begin(before));
        dialog = std::make_unique<CYaxesDlg>();
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }
    void TearDown() override { ResetSettings(); }

    QLineEdit* field(int id) { return dialog->form().edit(id); }
    void pressOk() { dialog->form().button(cmd::DialogOk)->click(); }
    // OK was refused with `text`, the focus is on field `id` and nothing changed.
    void expectRefused(const char* text, int id) {
        EXPECT_TRUE(dialog->isVisible());
        ASSERT_FALSE(prompts.messages.empty());
        EXPECT_EQ(prompts.messages.back().text, text);
        EXPECT_EQ(dialog->focusWidget(), field(id));
        EXPECT_TRUE(SameRanges(AxisRanges, before));
    }

    ScriptedPrompts prompts;
    AxisRange before[AxisRangeCount];
    std::unique_ptr<CYaxesDlg> dialog;
};

TEST_F(YaxesDialogTest, ShowsTheRangesAndOkWithoutChangeKeepsThem) {
    EXPECT_EQ(dialog->windowTitle(), "Y-axes settings");
    EXPECT_EQ(field(1005)->text(), "-100");
    EXPECT_EQ(field(1006)->text(), "1500");
    EXPECT_EQ(field(1007)->text(), "250");
    EXPECT_EQ(field(1009)->text(), "10");
    // MIN takes a minus sign; MAX and STEP digits only.
    EXPECT_EQ(field(1002)->validator(), nullptr);
    EXPECT_NE(field(1003)->validator(), nullptr);
    EXPECT_NE(field(1013)->validator(), nullptr);
    EXPECT_TRUE(field(1010)->alignment() & Qt::AlignHCenter);
    // The velocity row's values are metres per second, and its label says so.
    QStringList labels;
    for (const QLabel* label : dialog->findChildren<QLabel*>()) labels << label->text();
    EXPECT_TRUE(labels.contains("v (m/s)")) << labels.join('|').toStdString();

    pressOk();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(SameRanges(AxisRanges, before));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(YaxesDialogTest, NonIntegerIsRefusedInIdOrderThenANegativeMinIsTaken) {
    field(1008)->setText("abc");
    field(1012)->setText("");
    pressOk();
    expectRefused(NotAnIntegerText, 1008);
    ASSERT_EQ(prompts.messages.size(), 1u);

    field(1008)->setText(" -2 ");
    field(1002)->setText("+0");
    pressOk();
    expectRefused(NotAnIntegerText, 1012); // the empty field comes next
    for (const char* bad : {"1.5", "99999999999", "--3", "+-3", "4x", "-"}) {
        field(1012)->setText(bad);
        pressOk();
        expectRefused(NotAnIntegerText, 1012);
    }

    field(1012)->setText("3000");
    pressOk();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(AxisRanges[2].Min, -2);
    EXPECT_EQ(AxisRanges[2].Max, 10);
    EXPECT_EQ(AxisRanges[3].Max, 3000);
    EXPECT_EQ(AxisRanges[1].Min, -100);
}

TEST_F(YaxesDialogTest, RangesWithoutScaleOrTicksAreRefused) {
    field(1005)->setText("1500"); // MIN equal to MAX
    pressOk();
    expectRefused(MinNotBelowMaxText, 1005);

    field(1005)->setText("0");
    field(1013)->setText("0");
    pressOk();
    expectRefused(StepBelowOneText, 1013);

    field(1013)->setText("1");
    pressOk();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(AxisRanges[3].Step, 1);
}

TEST_F(YaxesDialogTest, CancelAfterEditingKeepsTheRanges) {
    field(1002)->setText("7");
    field(1004)->setText("3");
    dialog->form().button(cmd::DialogCancel)->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(SameRanges(AxisRanges, before));
}

TEST(AxesSetupCommandTest, TheSeriesShownStaysAndTheDigitalReportIsRebuilt) {
    testing::ViewHarness h;
    ResetSettings();
    testing::PutSeries(0, 4, 30.0f);
    testing::PutSeries(1, 3, 40.0f);
    SeriesCount = 2;
    DataPresent = 1;

    // Exercise graph of series 2: OK and Cancel leave it shown, never an entry past it.
    ASSERT_TRUE(h.router.send(cmd::ExerciseGraph));
    h.choose(IdSeriesCombo, 1);
    testing::WhenShown<CYaxesDlg>([](CYaxesDlg* d) { d->reject(); });
    ASSERT_TRUE(h.router.send(cmd::AxesSetup));
    EXPECT_EQ(CurrentSeries, 1);
    EXPECT_EQ(h.view().subjectBar().controlText(IdSetNo), "2");

    // The digital report is built again: its first series and interval.
    ASSERT_TRUE(h.router.send(cmd::DigitalReport));
    h.choose(IdSeriesCombo, 1);
    h.choose(IdIntervalCombo, 1);
    ASSERT_EQ(h.table().rowCount(), 2);
    testing::WhenShown<CYaxesDlg>([](CYaxesDlg* d) {
        d->form().edit(1003)->setText("90");
        d->form().button(cmd::DialogOk)->click();
    });
    ASSERT_TRUE(h.router.send(cmd::AxesSetup));
    EXPECT_EQ(AxisRanges[0].Max, 90);
    EXPECT_EQ(CurrentSeries, 0);
    EXPECT_EQ(h.table().rowCount(), 4);
    EXPECT_EQ(h.combo(IdSeriesCombo)->currentIndex(), 0);
    ResetSettings();
}

} // namespace
} // namespace krovel
