// The main window's menu, toolbar, accelerators, prompts and bars, as the user meets them.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include "base/core/CommandIds.h"
#include "base/gui/CommandRouter.h"
#include "base/gui/DialogTemplate.h"
#include "support/FrameHarness.h"

namespace krovel {
namespace {

using testing::FrameHarness;

struct Item {
    QString text; // empty for a separator
    int id;
};

std::vector<Item> ItemsOf(QMenu* menu) {
    std::vector<Item> items;
    for (QAction* a : menu->actions())
        items.push_back(a->isSeparator() ? Item{QString(), 0} : Item{a->text(), a->data().toInt()});
    return items;
}

TEST(MainFrameTest, MenuHasTheProgramsItemsInOrder) {
    FrameHarness h;
    ASSERT_TRUE(h.created);
    const std::vector<std::pair<QString, std::vector<Item>>> expected = {
        {"&File",
         {{"&Open...\tCtrl+O", 57601},
          {"&Save\tCtrl+S", 32780},
          {"", 0},
          {"", 0},
          {"&Print...\tCtrl+P", 57607},
          {"Print Pre&view", 57609},
          {"P&rint Setup...", 57606},
          {"", 0},
          {"E&xit", 57665}}},
        {"&Import data", {{"&Import data from    ", 32787}}},
        {"&Start",
         {{"Perform", 32772}, {"Append set", 32788}, {"Append set with new subject", 32793}}},
        {"&Report", {{"Digital", 32774}, {"Diagnostic graph", 32789}, {"Exercise graph", 32790}}},
        {"A&nalysis",
         {{"&Load-velocity profile", 32810},
          {"&Velocity loss", 32811},
          {"&Progress", 32812},
          {"&Exercise\u2026", 32813},
          {"Velocity loss s&top\u2026", 32814}}},
        {"&About", {{"", 0}, {"&About Krovel", 57664}}},
    };
    const QList<QAction*> popups = h.frame->menuBar()->actions();
    ASSERT_EQ(popups.size(), static_cast<qsizetype>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].first.toStdString());
        EXPECT_EQ(popups[i]->text(), expected[i].first);
        const auto items = ItemsOf(popups[i]->menu());
        ASSERT_EQ(items.size(), expected[i].second.size());
        for (size_t j = 0; j < items.size(); ++j) {
            EXPECT_EQ(items[j].text, expected[i].second[j].text) << j;
            EXPECT_EQ(items[j].id, expected[i].second[j].id) << j;
        }
    }
}

TEST(MainFrameTest, ToolbarButtonsSeparatorsAndTooltips) {
    FrameHarness h;
    // id and tooltip per button, 0 for a separator.
    const std::vector<std::pair<int, QString>> expected = {
        {57601, "Open"},  {32780, "Save"},           {32771, ""},
        {0, ""},          {32787, "Import data "},   {0, ""},
        {32772, "START"}, {32788, " Append set"},    {32793, "Append set with new subject"},
        {0, ""},          {32774, "Digital report"}, {32789, ""},
        {32790, ""},      {32791, "Axes setup"},     {0, ""},
        {57664, ""},
    };
    const QList<QAction*> actions = h.frame->mainToolBar()->actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        QAction* a = actions[i];
        if (expected[i].first == 0) {
            EXPECT_TRUE(a->isSeparator());
            continue;
        }
        EXPECT_EQ(a->data().toInt(), expected[i].first);
        EXPECT_FALSE(a->icon().isNull());
        // What the button itself shows on hover.
        auto* button = qobject_cast<QToolButton*>(h.frame->mainToolBar()->widgetForAction(a));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->toolTip(), expected[i].second);
    }
}

TEST(MainFrameTest, StatusPromptsOfMenuItemsAndButtons) {
    FrameHarness h;
    EXPECT_EQ(h.frame->menuAction(cmd::FilePrint)->statusTip(), "Subject Info");
    EXPECT_EQ(h.frame->menuAction(cmd::AppendSet)->statusTip(), "Append set ");
    EXPECT_EQ(h.frame->menuAction(cmd::DiagnosticGraph)->statusTip(), "Diagnostic graph");
    EXPECT_EQ(h.frame->menuAction(cmd::AppExit)->statusTip(),
              "Quit the application; prompts to save documents");
    EXPECT_EQ(h.frame->menuAction(cmd::FilePrintSetup)->statusTip(),
              "Change the printer and printing options");
    EXPECT_EQ(h.frame->menuAction(cmd::AppAbout)->statusTip(), "");
    EXPECT_EQ(h.frame->toolbarAction(cmd::SubjectSelect)->statusTip(), "");
    EXPECT_EQ(h.frame->toolbarAction(cmd::AxesSetup)->statusTip(), "Axes setup");

    // Hovering a button puts its prompt into the status bar's message pane.
    QWidget* button = h.frame->mainToolBar()->widgetForAction(h.frame->toolbarAction(cmd::Perform));
    QTest::mouseMove(button);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(button, &enter);
    EXPECT_EQ(h.frame->statusBar()->currentMessage(), "START");
}

TEST(MainFrameTest, AcceleratorsPassTheRulesAndSpareKeysDoNothing) {
    FrameHarness h;
    std::vector<int> ran;
    for (int id :
         {57601, 32780, 57607, 57600, 57634, 57637, 57635, 57643, 57670, 57669, 57680, 57681})
        h.router.setHandler(id, &h.doc, [&ran, id] { ran.push_back(id); });
    h.frame->activateWindow();
    QWidget* w = h.frame.get();

    MeasurementIdle = 0; // a live measurement: Open and Save are refused
    DataPresent = 1;
    QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(ran.empty());

    MeasurementIdle = 1;
    QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_P, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(w, Qt::Key_Backspace, Qt::AltModifier);
    QTest::keyClick(w, Qt::Key_F1, Qt::ShiftModifier);
    QTest::keyClick(w, Qt::Key_F6);
    EXPECT_EQ(ran, (std::vector<int>{32780, 57601, 57607, 57600, 57637, 57643, 57669, 57680}));
}

TEST(MainFrameTest, MenuItemsFollowTheirRulesWhenTheMenuOpens) {
    FrameHarness h;
    MeasurementIdle = 1;
    DataPresent = 0;
    h.router.refreshActions();
    EXPECT_TRUE(h.frame->menuAction(cmd::FileOpen)->isEnabled());
    EXPECT_FALSE(h.frame->menuAction(cmd::Save)->isEnabled());
    EXPECT_FALSE(h.frame->menuAction(cmd::ExerciseGraph)->isEnabled());

    MeasurementIdle = 0;
    DataPresent = 1;
    const QList<QAction*> popups = h.frame->menuBar()->actions();
    ASSERT_FALSE(popups.isEmpty());
    QMenu* file = popups.first()->menu();
    ASSERT_TRUE(file);
    emit file->aboutToShow();
    EXPECT_FALSE(h.frame->menuAction(cmd::FileOpen)->isEnabled());
    EXPECT_FALSE(h.frame->toolbarAction(cmd::Perform)->isEnabled());
    EXPECT_FALSE(h.frame->toolbarAction(cmd::AxesSetup)->isEnabled());
    EXPECT_TRUE(h.frame->menuAction(cmd::AppendSetNewSubject)->isEnabled()); // no rule
    EXPECT_TRUE(h.frame->toolbarAction(cmd::SubjectSelect)->isEnabled());
}

TEST(MainFrameTest, CaptionFollowsTheDocumentTitle) {
    FrameHarness h;
    EXPECT_EQ(h.frame->windowTitle(), " - Kinetrak Krovel");
    h.doc.setTitle("Marvolen    File: run 01.02.2024 10:00 ");
    EXPECT_EQ(h.frame->windowTitle(), "Marvolen    File: run 01.02.2024 10:00  - Kinetrak Krovel");
}

TEST(MainFrameTest, SizeSexAndStatusIndicators) {
    TestHeader.Subject.Sex = 0;
    FrameHarness h;
    EXPECT_EQ(TestHeader.Subject.Sex, SexMale);
    EXPECT_EQ(h.frame->size(), QSize(900, 780));
    const char* names[] = {"CAP", "NUM", "SCRL"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(h.frame->indicator(i)->text(), names[i]);
        EXPECT_FALSE(h.frame->indicator(i)->isEnabled()); // off until a key tells otherwise
    }
}

TEST(MainFrameTest, ModeBarDocksUnderTheToolbarAndGoesAway) {
    FrameHarness h;
    EXPECT_EQ(h.frame->modeBar(), nullptr);
    h.frame->HideModeBar(); // nothing to hide: no effect

    QPointer<QWidget> bar = new QWidget;
    bar->setFixedSize(300, 40);
    h.frame->DockModeBar(bar);
    QApplication::processEvents();
    EXPECT_EQ(h.frame->modeBar(), bar.data());
    EXPECT_TRUE(bar->isVisible());
    EXPECT_GT(h.frame->modeBarArea()->y(), h.frame->mainToolBar()->y());
    EXPECT_GE(h.frame->view()->y(), h.frame->modeBarArea()->geometry().bottom());

    // A second bar replaces the first, which is destroyed.
    QPointer<QWidget> second = new QWidget;
    h.frame->DockModeBar(second);
    EXPECT_FALSE(bar->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(bar.isNull());
    EXPECT_TRUE(second->isVisible());
    h.frame->HideModeBar();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(second.isNull());
    EXPECT_EQ(h.frame->modeBar(), nullptr);
    EXPECT_FALSE(h.frame->modeBarArea()->isVisible());
}

TEST(MainFrameTest, ModeBarIsReplacedFromItsOwnButton) {
    FrameHarness h;
    static const DialogTemplate bar{
        138, "", 100, 26, {{ControlKind::Button, cmd::DeleteSerie, "Delete serie", 5, 5, 50, 14}}};
    auto make = [&h] {
        auto* form = new TemplateForm(bar);
        ConnectFormToRouter(*form, h.router);
        return form;
    };
    int rebuilt = 0;
    h.router.setHandler(cmd::DeleteSerie, &h.doc, [&] {
        ++rebuilt;
        h.frame->DockModeBar(make()); // the clicked bar goes away meanwhile
    });
    h.frame->DockModeBar(make());
    for (int i = 0; i < 2; ++i) {
        auto* form = qobject_cast<TemplateForm*>(h.frame->modeBar());
        ASSERT_NE(form, nullptr);
        QTest::mouseClick(form->button(cmd::DeleteSerie), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(rebuilt, 2);
}

} // namespace
} // namespace krovel
