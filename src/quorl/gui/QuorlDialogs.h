// The registry's two dialogs behind one replaceable object, so widget tests can answer
// them without showing a window. Installed nothing: the Qt dialogs are shown.
#pragma once

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

// The one registry behind the nine functions, for dialogs and tests.
SubjectRegistry& TheSubjectRegistry();

} // namespace krovel::quorl
