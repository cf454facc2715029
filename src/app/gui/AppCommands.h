// The commands that concern the measurements as a whole: Open, Save, Import data,
// Perform, the two append commands and the port setup; and the status-bar pane through
// which the port setup is reached.
#pragma once

namespace krovel {

class CMainFrame;

// Registers the handlers (and the append-with-new-subject rule) with the frame's
// router, the frame being their context, and adds the port pane to its status bar.
void RegisterAppCommands(CMainFrame& frame);

// The handlers.
void PerformCommand(CMainFrame& frame);                 // 32772
void AppendSetCommand(CMainFrame& frame);               // 32788
void AppendSetWithNewSubjectCommand(CMainFrame& frame); // 32793
void SerialPortCommand(CMainFrame& frame);              // 32773
// 32787 "Import data": offers to save unsaved data, runs the import dialog and, when
// it ends with OK, posts the overview.
void ImportCommand(CMainFrame& frame);

} // namespace krovel
