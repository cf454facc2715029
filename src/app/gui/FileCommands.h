// The Save (32780) and Open (57601) commands: the subject registry's part, the file
// dialogs, the measurement file reader and writer, and the overview afterwards.
// A cancelled or failed save or load leaves the table, the file name and time and the
// flags as they were.
#pragma once

#include <string>

namespace krovel {

class CMainFrame;

// Saves the table into a file the user chooses. True when the file was written.
bool SaveCommand(CMainFrame& frame);

// Loads a file the user chooses, after offering to save unsaved data. True when a
// file was loaded.
bool OpenCommand(CMainFrame& frame);

// Open's steps once the file is chosen: reads it (a file that cannot be read gives
// Open's message and changes nothing), takes its subject into the registry and shows
// the overview. subjectFolder is the subject's folder the file dialog started in, empty
// when it started elsewhere. True when the file was loaded.
bool OpenChosenFile(CMainFrame& frame, const std::string& path,
                    const std::string& subjectFolder = {});

// "Data not saved. Save?" when the table holds unsaved data; Yes runs SaveCommand to
// its end. The caller goes on whatever the answer and the outcome.
void OfferToSaveUnsavedData(CMainFrame& frame);

// The file's last modification time in local time, " %d.%m.%Y %H:%M "; empty when the
// file has none.
std::string FileTimeTextOf(const std::string& path);

} // namespace krovel
