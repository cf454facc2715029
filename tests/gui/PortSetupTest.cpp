// The port setup dialog and the status-bar pane that opens it.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "base/core/CommandIds.h"
#include "data/core/Settings.h"
#include "device/gui/CSetup.h"
#include "device/gui/PortPane.h"
#include "support/AppHarness.h"

namespace krovel {
namespace {

std::vector<std::string> Items(QComboBox* combo) {
    std::vector<std::string> out;
    for (int i = 0; i < combo->count(); ++i) out.push_back(combo->itemText(i).toStdString());
    return out;
}

TEST(PortSetupTest, OkTakesTheChosenPortAndCancelKeepsTheOld) {
    ResetSettings();
    PortSetting = 2;
    {
        CSetup setup;
        EXPECT_EQ(setup.windowTitle(), "Setup communication port");
        QComboBox* combo = setup.form().combo(IdPortCombo);
        EXPECT_EQ(Items(combo), (std::vector<std::string>{"COM1", "COM2", "COM3", "COM4"}));
        EXPECT_EQ(combo->currentText(), "COM3");
        combo->setCurrentIndex(0);
        setup.form().button(cmd::DialogCancel)->click();
        EXPECT_EQ(PortSetting, 2);
    }
    {
        CSetup setup;
        setup.form().combo(IdPortCombo)->setCurrentIndex(0);
        setup.form().button(cmd::DialogOk)->click();
        EXPECT_EQ(setup.result(), QDialog::Accepted);
        EXPECT_EQ(PortSetting, 0);
    }
    // "COM5" comes only from the settings file: nothing is selected and OK keeps it.
    PortSetting = 4;
    {
        CSetup setup;
        EXPECT_EQ(setup.form().combo(IdPortCombo)->currentIndex(), -1);
        setup.form().button(cmd::DialogOk)->click();
        EXPECT_EQ(PortSetting, 4);
    }
    ResetSettings();
}

TEST(PortSetupTest, TheStatusPaneShowsThePortAndOpensTheSetup) {
    testing::AppHarness h;
    ASSERT_TRUE(h.start());
    auto* pane = h.frame().statusBar()->findChild<PortPane*>();
    ASSERT_NE(pane, nullptr);
    EXPECT_TRUE(pane->isVisible());
    EXPECT_EQ(pane->text(), "COM1");
    EXPECT_EQ(pane->toolTip(), "Serial port");

    QTimer::singleShot(0, [] {
        auto* setup = qobject_cast<CSetup*>(QApplication::activeModalWidget());
        ASSERT_NE(setup, nullptr);
        setup->form().combo(IdPortCombo)->setCurrentIndex(3);
        setup->form().button(cmd::DialogOk)->click();
    });
    QTest::mouseClick(pane, Qt::LeftButton);
    EXPECT_EQ(PortSetting, 3);
    EXPECT_EQ(pane->text(), "COM4");
}

} // namespace
} // namespace krovel
