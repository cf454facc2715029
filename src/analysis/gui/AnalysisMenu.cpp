#include "analysis/gui/AnalysisMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <functional>

#include "analysis/core/TableSnapshot.h"
#include "analysis/gui/ProfileWindow.h"
#include "analysis/gui/ProgressWindow.h"
#include "analysis/gui/VelocityLossStopDialog.h"
#include "analysis/gui/VelocityLossWindow.h"
#include "base/gui/CommandRouter.h"
#include "data/core/DataModel.h"
#include "ui/gui/CMainFrame.h"

namespace krovel {

namespace {

bool TableHasSeries() {
    return DataPresent != 0 && CompleteSeriesCount() > 0;
}

// Opens the window of one item: the one already open is raised, otherwise a new one is
// made, owned by the frame.
template <typename Window>
void OpenWindow(CMainFrame& frame, QPointer<Window>& window, const SubjectSwitcher& switcher) {
    if (!window) {
        window = new Window(&frame);
        window->setSubjectSwitcher(switcher);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void InstallMenu(CMainFrame& frame, const SubjectSwitcher& switcher);

} // namespace

void InstallAnalysisMenu(CMainFrame& frame) {
    AnalysisMenuWith({})(frame);
}

CMainFrame::MenuExtension AnalysisMenuWith(SubjectSwitcher switcher) {
    return [switcher](CMainFrame& frame) { InstallMenu(frame, switcher); };
}

namespace {

void InstallMenu(CMainFrame& frame, const SubjectSwitcher& switcher) {
    QMenuBar* bar = frame.menuBar();
    const QList<QAction*> menus = bar->actions();
    auto* menu = new QMenu(QStringLiteral("A&nalysis"), bar);
    if (menus.isEmpty())
        bar->addMenu(menu);
    else
        bar->insertMenu(menus.last(), menu);

    CommandRouter& router = frame.router();
    struct Item {
        int id;
        const char* text;
        const char* tip;
        std::function<bool()> rule;
        std::function<void()> open;
    };
    // The windows live as long as the frame; the pointers forget them if they go first.
    auto* profile = new QPointer<ProfileWindow>;
    auto* loss = new QPointer<VelocityLossWindow>;
    auto* progress = new QPointer<ProgressWindow>;
    QObject::connect(menu, &QObject::destroyed, [profile, loss, progress] {
        delete profile;
        delete loss;
        delete progress;
    });
    const Item items[] = {
        {cmd::AnalysisProfile, "&Load-velocity profile",
         "Load-velocity profile and estimated 1RM of the table", TableHasSeries,
         [&frame, profile, switcher] { OpenWindow(frame, *profile, switcher); }},
        {cmd::AnalysisVelocityLoss, "&Velocity loss", "Velocity loss in each series of the table",
         TableHasSeries, [&frame, loss, switcher] { OpenWindow(frame, *loss, switcher); }},
        {cmd::AnalysisProgress, "&Progress", "Progress across the sessions of the subject's folder",
         [] { return !CurrentSubjectFolder().empty(); },
         [&frame, progress, switcher] { OpenWindow(frame, *progress, switcher); }},
        {cmd::AnalysisExercise, "&Exercise\u2026", "Name the exercise of the session",
         [] { return true; }, [&frame] { ExerciseDialog(frame); }},
    };
    for (const Item& item : items) {
        QAction* action = menu->addAction(QString::fromUtf8(item.text));
        action->setStatusTip(QString::fromUtf8(item.tip));
        router.setRule(item.id, item.rule);
        router.setHandler(item.id, menu, item.open);
        router.bindAction(action, item.id);
    }
    QAction* stop = menu->addAction(QString::fromUtf8("Velocity loss s&top\u2026"));
    stop->setStatusTip(QStringLiteral("Cue the end of a live set at a velocity loss"));
    router.setHandler(cmd::AnalysisVelocityLossStop, menu, [&frame] {
        VelocityLossStopDialog dialog(&frame);
        dialog.exec();
    });
    router.bindAction(stop, cmd::AnalysisVelocityLossStop);
    QObject::connect(menu, &QMenu::aboutToShow, &router, &CommandRouter::refreshActions);
}

} // namespace

} // namespace krovel
