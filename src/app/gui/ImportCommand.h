// Command 32787 "Import data": offers to save unsaved data, runs the import dialog and,
// when it ends with OK, posts the overview.
#pragma once

namespace krovel {

class CMainFrame;

void ImportCommand(CMainFrame& frame);

} // namespace krovel
