#include "app/gui/CKrovelDeviceApp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <clocale>
#include <ctime>

#include "analysis/gui/AnalysisMenu.h"
#include "app/core/CommandFlags.h"
#include "app/core/CommandLine.h"
#include "app/gui/AppCommands.h"
#include "app/gui/CAboutDlg.h"
#include "app/gui/FileCommands.h"
#include "app/gui/SubjectSwitch.h"
#include "base/core/AppPaths.h"
#include "base/core/CommandIds.h"
#include "base/core/Prompts.h"
#include "base/gui/CommandRouter.h"
#include "base/gui/FirstPaintExit.h"
#include "base/gui/QtText.h"
#include "base/io/LogCategories.h"
#include "data/core/DataModel.h"
#include "data/core/MeasurementFile.h"
#include "data/core/Settings.h"
#include "device/io/DeviceLink.h"
#include "quorl/gui/Quorl.h"
#include "quorl/gui/QuorlDialogs.h"
#include "ui/gui/CKrovelDeviceDoc.h"
#include "ui/gui/CMainFrame.h"
#include "ui/gui/Printing.h"

namespace krovel {

namespace {

CKrovelDeviceApp* theApp = nullptr;

// The per-user settings key: organisation "Marvolen Krovel", application "Kelvane".
constexpr const char* RegistryKey = "Marvolen Krovel";
constexpr const char* ApplicationTitle = "Kelvane";
constexpr const char* RegistryAppId = "KRVDEV";

bool WritableFolder(const QString& folder) {
    QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

// Why a folder that is not writable cannot be used.
const char* UnusableFolderReason(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.exists()) return "it does not exist and cannot be created";
    if (!info.isDir()) return "it is not a folder";
    return "it cannot be written";
}

// Entry 0 of the table takes the header's barbell and signal settings and the time now.
void ReadyFirstLiveSeries() {
    Series[0].StartTime = static_cast<int32_t>(static_cast<int64_t>(std::time(nullptr)));
    Series[0].Mass = TestHeader.BarbellWeight;
    Series[0].SignalAbovePct = TestHeader.SignalAbovePct;
    Series[0].SignalBelowPct = TestHeader.SignalBelowPct;
}

} // namespace

void SetApplicationIdentity() {
    QCoreApplication::setOrganizationName(QString::fromLatin1(RegistryKey));
    QCoreApplication::setApplicationName(QString::fromLatin1(ApplicationTitle));
}

std::string ResolveProgramFolder(std::string* homeWarning) {
    const QString home = qEnvironmentVariable("KROVEL_HOME");
    QString folder = home;
    if (!folder.isEmpty())
        QDir().mkpath(folder);
    else
        folder = QCoreApplication::applicationDirPath();
    if (!WritableFolder(folder)) {
        const char* reason = UnusableFolderReason(folder);
        // An installed program: the same layout in the user's own data folder, where
        // the registry's DATA lies one level above it.
        folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QDir().mkpath(folder);
        // KROVEL_HOME was asked for: saying nothing would put the user's files elsewhere.
        if (!home.isEmpty() && homeWarning)
            *homeWarning = "KROVEL_HOME " + PathFromQt(home) + " is not used: " + reason +
                           ". Settings and DATA are kept in " +
                           PathFromQt(QDir(folder).absolutePath()) + " instead.";
    }
    return WithTrailingSeparator(PathFromQt(QDir(folder).absolutePath()));
}

CKrovelDeviceApp::CKrovelDeviceApp() : router_(std::make_unique<CommandRouter>(CurrentRuleFlags)) {
    theApp = this;
    RegisterCommands();
}

CKrovelDeviceApp::~CKrovelDeviceApp() {
    // No reader thread outlives the application, whatever left a link open.
    CloseLink();
    InstallSignalSounds(nullptr);
    frame_.reset(); // the view's handlers go with it, before the router
    if (theApp == this) theApp = nullptr;
}

CKrovelDeviceApp* CKrovelDeviceApp::instance() {
    return theApp;
}

CKrovelDeviceView* CKrovelDeviceApp::view() const {
    return frame_ ? frame_->view() : nullptr;
}

void CKrovelDeviceApp::RegisterCommands() {
    router_->setHandler(cmd::SubjectSelect, this, [this] { OnSubjectSelect(); });
    router_->setHandler(cmd::AppAbout, this, [this] { OnAppAbout(); });
    router_->setHandler(cmd::FilePrintSetup, this, [this] { OnPrintSetup(); });
    router_->setHandler(cmd::AppExit, this, [this] { OnAppExit(); });
}

bool CKrovelDeviceApp::InitInstance(const CommandLineParts& parts) {
    // 1-2. The per-user settings key (QSettings and the per-user folders use it). The
    // program keeps none of the framework's own per-user settings.
    SetApplicationIdentity();

    // 3-4. The one document/frame/view set is made below; here the folders.
    std::string homeWarning;
    FormAppPaths(ResolveProgramFolder(&homeWarning));
    if (!homeWarning.empty()) ShowNotice(homeWarning);

    // 5. The two signal sounds, read with the sound plugin when the first live set
    // starts: a session that records nothing never pays for them.
    InstallSignalSounds(&sounds_);

    // 6. The settings file.
    if (!ReadSettings(AppPaths.SettingsPath)) ShowNotice("Error opening file");
    qCInfo(FilesLog) << "settings file:" << AppPaths.SettingsPath.c_str();

    // 7. Numbers follow the user's locale from here on. (Qt already set the whole
    // locale from the environment when the QApplication was made; this states what
    // the program relies on, whatever happened before.)
    std::setlocale(LC_NUMERIC, "");

    // 8. The subject registry.
    QuorlInit(AppPaths.RegistryDataFolder, RegistryAppId);

    // 9. The command line: a subject folder, then the suggested file name.
    if (!parts.SubjectToken.empty()) QuorlSelectByData(SubjectTokenPath(parts.SubjectToken));
    if (!parts.Rest.empty()) AppPaths.SuggestedFileName = parts.Rest;

    // 10. The data folder, one level; a failure shows later, when saving into it.
    QDir().mkdir(PathToQt(AppPaths.DataFolder));

    // 11. Entry 0 is ready for the first live series.
    ReadyFirstLiveSeries();

    // 12. Document, main frame and view.
    doc_ = std::make_unique<CKrovelDeviceDoc>();
    doc_->OnNewDocument();
    frame_ = std::make_unique<CMainFrame>(
        *router_, *doc_, std::vector<CMainFrame::MenuExtension>{AnalysisMenuWith(SwitchSubject)});
    if (!frame_->Create()) {
        frame_.reset();
        return false;
    }
    RegisterAppCommands(*frame_);

    // 13. The overview, at once.
    router_->send(cmd::ShowOverview);

    // 14. Shown and painted.
    QuitAfterFirstPaintWhenAsked(*frame_);
    frame_->show();
    frame_->RepaintAll();

    // 15. A file named with --open, as if chosen in File > Open's dialog.
    if (!parts.OpenFile.empty()) OpenChosenFile(*frame_, parts.OpenFile);
    return true;
}

int CKrovelDeviceApp::ExitInstance() {
    if (WriteSettings(AppPaths.SettingsPath))
        qCInfo(FilesLog) << "settings written:" << AppPaths.SettingsPath.c_str();
    else
        ShowNotice("Save File Error");
    if (DataSaved == 1) return 0;
    // A save that did not happen (overwriting declined, a write error the writer has
    // reported) leads back to the question, so the measurements are never dropped
    // without the user saying No.
    for (;;) {
        if (!AskYesNo("Data not saved. Save?")) return 1;
        FileDialogRequest request;
        request.initialFolder = AppPaths.DataFolder;
        const auto chosen = CurrentPrompts().saveFile(request);
        if (!chosen) return 1;
        if (WriteMeasurementFile(ExitSavePath(*chosen))) return 0;
    }
}

void CKrovelDeviceApp::OnSubjectSelect() {
    // The dialog makes its choice current at once. The subject before it stays current
    // until SwitchSubject has settled what becomes of the sets in the window.
    quorl::SubjectRegistry& registry = quorl::TheSubjectRegistry();
    const std::string before = registry.current() ? registry.current()->folderName : "";
    if (QuorlSubjectDialog()) {
        const std::string chosen = registry.current()->folderName;
        if (before.empty() || !registry.select(before)) registry.clearCurrent();
        if (frame_)
            SwitchSubject(*frame_, chosen);
        else if (registry.select(chosen))
            QuorlFillSubject(TestHeader.Subject);
    }
    if (frame_) frame_->RepaintAll();
}

void CKrovelDeviceApp::OnAppAbout() {
    CAboutDlg about(frame_.get());
    about.exec();
}

void CKrovelDeviceApp::OnPrintSetup() {
    if (PrintService* printing = LoadPrintService()) printing->PageSetup(frame_.get());
}

void CKrovelDeviceApp::OnAppExit() {
    if (frame_) frame_->close();
}

} // namespace krovel
