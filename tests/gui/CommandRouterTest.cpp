// Sending, posting and refusing commands through the one command table.
#include <QAction>
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include "app/core/CommandFlags.h"
#include "base/core/CommandIds.h"
#include "base/gui/CommandRouter.h"
#include "data/core/DataModel.h"
#include "device/core/HandOver.h"
#include "measure/core/LiveMeasurementState.h"

namespace krovel {
namespace {

class CommandRouterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDataModel();
        StoreFinished(LiveMeasurement.LiveRequest, 1);
    }
    void TearDown() override { StoreFinished(LiveMeasurement.LiveRequest, 1); }
    CommandRouter router{CurrentRuleFlags};
    QObject owner;
    std::vector<int> ran;
    void record(int id) {
        router.setHandler(id, &owner, [this, id] { ran.push_back(id); });
    }
};

TEST_F(CommandRouterTest, SendRunsAtOncePostRunsLaterInQueueOrder) {
    for (int id : {cmd::NewMeasurement, cmd::AppendSetRequest, cmd::ShowOverview}) record(id);
    router.setHandler(cmd::Perform, &owner, [this] {
        ran.push_back(cmd::Perform);
        router.post(cmd::NewMeasurement);
        router.post(cmd::AppendSetRequest);
        router.send(cmd::ShowOverview); // nested: before the posted ones
    });
    EXPECT_TRUE(router.send(cmd::Perform));
    EXPECT_EQ(ran, (std::vector<int>{cmd::Perform, cmd::ShowOverview}));
    EXPECT_EQ(router.pendingPosts(), 2);
    QApplication::processEvents();
    EXPECT_EQ(ran, (std::vector<int>{cmd::Perform, cmd::ShowOverview, cmd::NewMeasurement,
                                     cmd::AppendSetRequest}));
}

TEST_F(CommandRouterTest, PostedCommandIsJudgedWhenItRunsAndDroppedSilently) {
    record(cmd::FileOpen);
    std::vector<int> refused;
    QObject::connect(&router, &CommandRouter::commandRefused,
                     [&refused](int id) { refused.push_back(id); });
    router.post(cmd::FileOpen); // allowed now...
    MeasurementIdle = 0;        // ...refused when its turn comes
    QApplication::processEvents();
    EXPECT_TRUE(ran.empty());
    EXPECT_EQ(refused, std::vector<int>{cmd::FileOpen});

    MeasurementIdle = 1;
    router.post(cmd::FileOpen);
    QApplication::processEvents();
    EXPECT_EQ(ran, std::vector<int>{cmd::FileOpen});
}

TEST_F(CommandRouterTest, TableRulesReadTheProcessFlags) {
    MeasurementIdle = 1;
    DataPresent = 0;
    EXPECT_TRUE(router.isEnabled(cmd::FileOpen));
    EXPECT_FALSE(router.isEnabled(cmd::Save));
    EXPECT_FALSE(router.isEnabled(cmd::DigitalReport));
    DataPresent = 1;
    EXPECT_TRUE(router.isEnabled(cmd::Save));
    EXPECT_TRUE(router.isEnabled(cmd::DigitalReport));
    // A live measurement: its request is not finished and the measurement not idle.
    StoreFinished(LiveMeasurement.LiveRequest, 0);
    MeasurementIdle = 0;
    for (int id : {cmd::FileOpen, cmd::Save, cmd::ImportData, cmd::Perform, cmd::AppendSet,
                   cmd::AxesSetup, cmd::DiagnosticGraph, cmd::ExerciseGraph, cmd::DigitalReport})
        EXPECT_FALSE(router.isEnabled(id)) << id;
    for (int id : {cmd::AppendSetNewSubject, cmd::SubjectSelect, cmd::AppAbout, cmd::FilePrint,
                   cmd::FilePrintPreview, cmd::AppExit, cmd::NewMeasurement, cmd::ShowOverview})
        EXPECT_TRUE(router.isEnabled(id)) << id;
    // Digital follows Finished, not MeasurementIdle.
    StoreFinished(LiveMeasurement.LiveRequest, 1);
    EXPECT_TRUE(router.isEnabled(cmd::DigitalReport));
}

TEST_F(CommandRouterTest, OwnRuleReplacesTheTablesAndUnknownIdsPass) {
    record(cmd::AppendSetNewSubject);
    router.setRule(cmd::AppendSetNewSubject, [] { return MeasurementIdle != 0; });
    MeasurementIdle = 0;
    EXPECT_FALSE(router.send(cmd::AppendSetNewSubject));
    EXPECT_TRUE(router.isEnabled(4242));
    EXPECT_FALSE(router.send(4242)); // allowed, but nothing handles it
    EXPECT_TRUE(ran.empty());
}

TEST_F(CommandRouterTest, HandlerGoesAwayWithItsOwner) {
    auto* shortLived = new QObject;
    int calls = 0;
    router.setHandler(cmd::Tick, shortLived, [&calls] { ++calls; });
    EXPECT_TRUE(router.send(cmd::Tick));
    delete shortLived;
    EXPECT_FALSE(router.hasHandler(cmd::Tick));
    EXPECT_FALSE(router.send(cmd::Tick));
    EXPECT_EQ(calls, 1);
}

TEST_F(CommandRouterTest, SelectionNotificationsAreKeptApartFromCommands) {
    int selections = 0, clicks = 0;
    router.setHandler(
        1031, &owner, [&] { ++selections; }, Notify::SelectionChange);
    EXPECT_FALSE(router.send(1031)); // a command 1031 has no handler
    EXPECT_TRUE(router.notify(1031, Notify::SelectionChange));
    router.setHandler(1031, &owner, [&] { ++clicks; });
    EXPECT_TRUE(router.notify(1031, Notify::Command));
    EXPECT_EQ(selections, 1);
    EXPECT_EQ(clicks, 1);
}

TEST_F(CommandRouterTest, BoundActionsFollowRulesAndSendWhenTriggered) {
    record(cmd::Save);
    QAction save;
    router.bindAction(&save, cmd::Save);
    EXPECT_FALSE(save.isEnabled()); // no data yet
    DataPresent = 1;
    router.refreshActions();
    ASSERT_TRUE(save.isEnabled());
    save.trigger();
    EXPECT_EQ(ran, std::vector<int>{cmd::Save});
    // The idle refresh greys the item without anyone asking.
    MeasurementIdle = 0;
    EXPECT_TRUE(QTest::qWaitFor([&save] { return !save.isEnabled(); }, 2000));
}

} // namespace
} // namespace krovel
