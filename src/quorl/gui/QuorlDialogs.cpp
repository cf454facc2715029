#include "quorl/gui/QuorlDialogs.h"

#include <QApplication>
#include <QSettings>

#include "base/gui/QtText.h"
#include "base/io/UserSettings.h"
#include "quorl/gui/LoadDialog.h"
#include "quorl/gui/Quorl.h"
#include "quorl/gui/SubjectDialog.h"

namespace krovel::quorl {

namespace {

// Without a widget application (a command-line tool) there is no one to ask:
// nothing is chosen and opening is abandoned.
bool CanShowDialogs() {
    return qobject_cast<QApplication*>(QCoreApplication::instance());
}

class QtQuorlDialogs : public QuorlDialogs {
public:
    bool subjectDialog(SubjectRegistry& registry) override {
        if (!CanShowDialogs()) return false;
        SubjectDialog dialog(registry, QApplication::activeWindow());
        return dialog.exec() == QDialog::Accepted;
    }
    int loadDialog(const SubjectRegistry& registry) override {
        if (!CanShowDialogs()) return QuorlOpenCancelled;
        LoadDialog dialog(registry, QApplication::activeWindow());
        return dialog.exec() == QDialog::Accepted ? dialog.choice() : QuorlOpenCancelled;
    }
};

QtQuorlDialogs qtDialogs;
QuorlDialogs* installed = &qtDialogs;

} // namespace

void RememberChosenSubject(const std::string& folderName) {
    QSettings settings(UserSettingsOrganization, UserSettingsApplication);
    settings.setValue(QStringLiteral("LastSubject"), ToQt(folderName));
}

std::string LastChosenSubject() {
    const QSettings settings(UserSettingsOrganization, UserSettingsApplication);
    return FromQt(settings.value(QStringLiteral("LastSubject")).toString());
}

QuorlDialogs& CurrentQuorlDialogs() {
    return *installed;
}

void InstallQuorlDialogs(QuorlDialogs* dialogs) {
    installed = dialogs ? dialogs : &qtDialogs;
}

SubjectRegistry& TheSubjectRegistry() {
    static SubjectRegistry registry;
    return registry;
}

} // namespace krovel::quorl
