// The subject registry: keeps the subjects (athletes), shows its own dialogs and tells
// the program which subject is current and which folders belong to it. The program
// reaches the registry only through these nine functions. All calls come from the
// user-interface thread; none of them throws. Texts are UTF-8.
#pragma once

#include <cstdint>
#include <string>

#include "data/core/DataModel.h"

namespace krovel {

// Results of QuorlLoadDialog.
constexpr int QuorlOpenCancelled = 0;
constexpr int QuorlOpenFromSubjectFolder = 11;
constexpr int QuorlOpenFromDataFolder = 12;

// Points the registry at its folder (one subfolder per subject) and forgets any current
// subject. The first call of all; calling it again starts over with the new folder.
void QuorlInit(std::string folder, std::string appId);

// Makes current the subject whose folder holds the path or is named by it (a subject
// folder, a file in it or below it). A path that belongs to no subject leaves no subject
// current, so a file from elsewhere is never labelled with the previous subject.
void QuorlSelectByData(std::string path);

// True while a valid subject is current.
bool QuorlIsValid();

// Lets the user choose, add or edit a subject. True when one was chosen: it is then current.
bool QuorlSubjectDialog();

// Writes the current subject into the record; leaves it untouched when none is current.
void QuorlFillSubject(SubjectRecord& subject);

// Hands over the subject of an opened file. When exactly one registered subject has the
// same name (ignoring case and surrounding blanks) it becomes current; otherwise nothing
// changes and nothing is stored.
void QuorlTakeSubject(const SubjectRecord& subject);

// The folder measurements of the current subject are saved in, with a trailing '/',
// created when missing. Without a current subject: the registry folder itself.
// The time (start of the measurement) does not change the folder.
void QuorlDataFolder(int32_t time, std::string& folder);

// Asks where a measurement is opened from: QuorlOpenCancelled, QuorlOpenFromSubjectFolder
// (offered only while a subject is current) or QuorlOpenFromDataFolder.
int QuorlLoadDialog();

// The current subject's folder with a trailing '/', or empty when none is current.
// The trailing '/' keeps "Smith" from matching files of "Smith (2)" in prefix tests.
void QuorlSubjectFolder(std::string& folder);

} // namespace krovel
