// The exercise of the session in the window: the lifts to choose from (the usual ones
// and those the subject's own files name), the choice itself, and the exercise each
// subject did last, which a new measurement starts with. The last exercise is kept per
// user in the program's QSettings file (Kelvane.conf), under "LastExercise/<folder>".
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace krovel {

class CMainFrame;

// Makes a registered subject (by folder name) current the way the main window's subject
// selection does, with its question about the sets in the window; true when it is
// current afterwards. The shell passes it in, since this layer cannot reach it.
using SubjectSwitcher = std::function<bool(CMainFrame& frame, const std::string& folderName)>;

// The usual lifts, then the exercises of the ".krvx" files directly in `folder` that are
// not among them (each once, ignoring case and surrounding blanks), in file name order.
std::vector<std::string> ExerciseChoices(const std::string& folder);

// The exercise the subject in `folderName` was last given; empty when none.
std::string LastExercise(const std::string& folderName);
void RememberExercise(const std::string& folderName, const std::string& exercise);

// Writes the exercise into the TestHeader and the SubjectBar's exercise edit, marks the
// table unsaved when it holds data, and keeps it as the current subject's last exercise.
void ChooseExercise(CMainFrame& frame, const std::string& exercise);

// Before a new measurement: the exercise the current subject did last, if any.
void StartWithLastExercise(CMainFrame& frame);

// "Exercise…": asks for the exercise in an editable list and chooses it.
void ExerciseDialog(CMainFrame& frame);

} // namespace krovel
