#include "app/gui/AppCommands.h"

#include "analysis/gui/ExerciseChoice.h"
#include "app/gui/FileCommands.h"
#include "base/core/CommandIds.h"
#include "base/gui/CommandRouter.h"
#include "data/core/DataModel.h"
#include "device/gui/CImportDlg.h"
#include "device/gui/CSetup.h"
#include "device/gui/PortPane.h"
#include "ui/gui/CMainFrame.h"

namespace krovel {

void PerformCommand(CMainFrame& frame) {
    // The new measurement starts whatever the save question led to.
    OfferToSaveUnsavedData(frame);
    StartWithLastExercise(frame);
    frame.router().post(cmd::NewMeasurement);
}

void AppendSetCommand(CMainFrame& frame) {
    frame.router().post(cmd::AppendSetRequest);
}

void AppendSetWithNewSubjectCommand(CMainFrame& frame) {
    // Runs as: overview now, then the Open command with its questions and dialogs, then
    // the append request, which comes even when Open was cancelled or failed.
    CommandRouter& router = frame.router();
    router.post(cmd::FileOpen);
    router.send(cmd::ShowOverview);
    frame.RepaintAll();
    router.post(cmd::AppendSetRequest);
}

void SerialPortCommand(CMainFrame& frame) {
    CSetup setup(&frame);
    setup.exec();
    if (auto* pane = frame.findChild<PortPane*>()) pane->refresh();
}

void RegisterAppCommands(CMainFrame& frame) {
    CommandRouter& router = frame.router();
    CMainFrame* f = &frame;
    router.setHandler(cmd::FileOpen, f, [f] { OpenCommand(*f); });
    router.setHandler(cmd::Save, f, [f] { SaveCommand(*f); });
    router.setHandler(cmd::ImportData, f, [f] { ImportCommand(*f); });
    router.setHandler(cmd::Perform, f, [f] { PerformCommand(*f); });
    router.setHandler(cmd::AppendSet, f, [f] { AppendSetCommand(*f); });
    router.setHandler(cmd::AppendSetNewSubject, f, [f] { AppendSetWithNewSubjectCommand(*f); });
    router.setHandler(cmd::SerialPort, f, [f] { SerialPortCommand(*f); });

    // Appending with a new subject is refused as a whole while a measurement runs, as
    // Append set is: its Open step would be refused anyway, and its overview and append
    // requests must not reach the running set.
    router.setRule(cmd::AppendSetNewSubject, [] { return MeasurementIdle != 0; });
    router.refreshActions();

    frame.addStatusPane(new PortPane(router, &frame));
}

void ImportCommand(CMainFrame& frame) {
    OfferToSaveUnsavedData(frame);
    CImportDlg dialog(&frame);
    if (dialog.exec() == QDialog::Accepted) frame.router().post(cmd::ShowOverview);
}

} // namespace krovel
