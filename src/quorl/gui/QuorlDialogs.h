// The registry's two dialogs behind one replaceable object, so widget tests can answer
// them without showing a window. Installed nothing: the Qt dialogs are shown.
#pragma once

#include <string>

#include "quorl/core/SubjectRegistry.h"

namespace krovel::quorl {

class QuorlDialogs {
public:
    virtual ~QuorlDialogs() = default;
    // Lets the user choose, add or edit a subject. A chosen subject is made current in
    // the registry; the result tells whether one was chosen.
    virtual bool subjectDialog(SubjectRegistry& registry) = 0;
    // Where to open a measurement from: 0, 11 or 12 (see the constants in Quorl.h).
    virtual int loadDialog(const SubjectRegistry& registry) = 0;
};

QuorlDialogs& CurrentQuorlDialogs();
void InstallQuorlDialogs(QuorlDialogs* dialogs); // nullptr puts the Qt dialogs back

// The subject the user chose last, kept per user in the program's QSettings file
// (Kelvane.conf, "LastSubject") so the subject dialog can offer it again after a
// restart; only offered, never made current without the user.
void RememberChosenSubject(const std::string& folderName);
std::string LastChosenSubject();

// The one registry behind the nine functions, for dialogs and tests.
SubjectRegistry& TheSubjectRegistry();

} // namespace krovel::quorl
