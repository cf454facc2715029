// Choosing another subject while the window holds sets: the sets are labelled with the
// current subject and saved into its folder, so a switch that would silently relabel
// another subject's sets asks first.
#pragma once

#include <string>

namespace krovel {

class CMainFrame;

// Makes the registered subject in `folderName` current and labels the window's sets
// with it. When the sets carry another subject's name (after the registry's case
// folding; sets without a name go along without a question) it first asks "These sets
// belong to <A>.":
//   "Save them for <A>"  saves them as Save does, into the current subject's folder,
//                        then empties the table as Perform does; when that save fails
//                        or is cancelled the chosen subject is not selected;
//   "Give them to <B>"   relabels them with the chosen subject;
//   "Cancel"             leaves everything as it was.
// True when the chosen subject is current afterwards.
bool SwitchSubject(CMainFrame& frame, const std::string& folderName);

} // namespace krovel
