// The "Analysis" menu of the main window, between Report and About: three items that
// open the load-velocity profile, velocity loss and progress windows. The windows stay
// open beside the main window (not modal) and follow its data.
#pragma once

#include "analysis/gui/ExerciseChoice.h"
#include "ui/gui/CMainFrame.h"

namespace krovel {

// Command ids of the three items, after the ids the program's resources use.
namespace cmd {
inline constexpr int AnalysisProfile = 32810;
inline constexpr int AnalysisVelocityLoss = 32811;
inline constexpr int AnalysisProgress = 32812;
inline constexpr int AnalysisExercise = 32813;
inline constexpr int AnalysisVelocityLossStop = 32814;
} // namespace cmd

// Adds the menu to the frame's menu bar, before its last menu, and registers the three
// commands with the frame's router, and after them "Velocity loss stop…", which sets the
// live view's velocity-loss cue (always available). The profile and the velocity loss are greyed
// while the table holds no series, progress while no subject (and so no folder) is current.
void InstallAnalysisMenu(CMainFrame& frame);

// The same menu, whose windows choose an athlete through `switcher`; the shell passes
// this one to the frame.
CMainFrame::MenuExtension AnalysisMenuWith(SubjectSwitcher switcher);

} // namespace krovel
