#include "analysis/gui/ExerciseChoice.h"

#include <QInputDialog>
#include <QSettings>
#include <QStringList>

#include <algorithm>
#include <set>

#include "analysis/core/AthleteThresholds.h"
#include "analysis/core/SessionProgress.h"
#include "analysis/gui/ProgressWindow.h"
#include "base/gui/QtText.h"
#include "base/io/UserSettings.h"
#include "data/core/DataModel.h"
#include "data/core/SubjectBarSync.h"
#include "quorl/gui/QuorlDialogs.h"
#include "ui/gui/CKrovelDeviceView.h"
#include "ui/gui/CMainFrame.h"
#include "ui/gui/SubjectBar.h"

namespace krovel {

namespace {

const char* const UsualLifts[] = {"Bench press", "Back squat",     "Full squat",
                                  "Deadlift",    "Overhead press", "Bench pull",
                                  "Front squat", "Hip thrust",     "Power clean"};

QString LastExerciseKey(const std::string& folderName) {
    return QStringLiteral("LastExercise/") + ToQt(folderName);
}

std::string CurrentFolderName() {
    const auto* current = quorl::TheSubjectRegistry().current();
    return current ? current->folderName : std::string();
}

} // namespace

std::vector<std::string> ExerciseChoices(const std::string& folder) {
    std::vector<std::string> choices;
    std::set<std::string> keys;
    auto add = [&](const std::string& exercise) {
        if (!exercise.empty() && keys.insert(ExerciseKey(exercise)).second)
            choices.push_back(exercise);
    };
    for (const char* lift : UsualLifts) add(lift);
    if (folder.empty()) return choices;
    std::vector<RefusedFile> refused;
    ReadSessionFolder(
        folder,
        [&](const std::string&, const MeasurementScratch& file) {
            add(FromQt(ToQt(file.Header.Exercise).trimmed()));
        },
        refused);
    return choices;
}

std::string LastExercise(const std::string& folderName) {
    if (folderName.empty()) return {};
    const QSettings settings(UserSettingsOrganization, UserSettingsApplication);
    return FromQt(settings.value(LastExerciseKey(folderName)).toString());
}

void RememberExercise(const std::string& folderName, const std::string& exercise) {
    if (folderName.empty()) return;
    QSettings settings(UserSettingsOrganization, UserSettingsApplication);
    settings.setValue(LastExerciseKey(folderName), ToQt(exercise));
}

void ChooseExercise(CMainFrame& frame, const std::string& exercise) {
    RememberExercise(CurrentFolderName(), exercise);
    if (exercise == TestHeader.Exercise) return;
    TestHeader.Exercise = exercise;
    frame.view()->subjectBar().setText(IdExercise, exercise);
    if (DataPresent != 0) DataSaved = 0;
    frame.RepaintAll();
}

void StartWithLastExercise(CMainFrame& frame) {
    if (!MeasurementIdle) return;
    const std::string last = LastExercise(CurrentFolderName());
    if (last.empty()) return;
    TestHeader.Exercise = last;
    frame.view()->subjectBar().setText(IdExercise, last);
}

void ExerciseDialog(CMainFrame& frame) {
    QStringList items;
    for (const std::string& choice : ExerciseChoices(CurrentSubjectFolder())) items << ToQt(choice);
    const QString now = ToQt(TestHeader.Exercise);
    if (!now.isEmpty() && !items.contains(now)) items.prepend(now);
    bool ok = false;
    const QString chosen =
        QInputDialog::getItem(&frame, QStringLiteral("Exercise"), QStringLiteral("Exercise:"),
                              items, std::max<qsizetype>(0, items.indexOf(now)), true, &ok);
    if (ok) ChooseExercise(frame, FromQt(chosen.trimmed()));
}

} // namespace krovel
