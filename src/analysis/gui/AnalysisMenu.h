// The "Analysis" menu of the main window, between Report and About: three items that
// open the load-velocity profile, velocity loss and progress windows. The windows stay
// open beside the main window (not modal) and follow its data.
#pragma once

namespace krovel {

class CMainFrame;

// Command ids of the three items, after the ids the program's resources use.
namespace cmd {
inline constexpr int AnalysisProfile = 32810;
inline constexpr int AnalysisVelocityLoss = 32811;
inline constexpr int AnalysisProgress = 32812;
inline constexpr int AnalysisVelocityLossStop = 32813;
} // namespace cmd

// Adds the menu to the frame's menu bar, before its last menu, and registers the three
// commands with the frame's router, and after them "Velocity loss stop…", which sets the
// live view's velocity-loss cue (always available). The profile and the velocity loss are greyed
// while the table holds no series, progress while no subject (and so no folder) is current.
void InstallAnalysisMenu(CMainFrame& frame);

} // namespace krovel
