// The application object: owns the life of the process from start-up (folders,
// settings, sounds, subject registry, the one document, frame and view) to exit
// (settings written, unsaved data offered for saving), and carries out the
// application-level commands.
//
// The program: construct after the QApplication, InitInstance(command line), run the
// event loop, return ExitInstance(). Tests do the same against a temporary program
// folder (KROVEL_HOME) with scripted Prompts, closing the frame instead of a user.
#pragma once

#include <QObject>

#include <memory>
#include <string>

#include "app/core/CommandLine.h"
#include "measure/gui/SignalSounds.h"

namespace krovel {

class CKrovelDeviceDoc;
class CKrovelDeviceView;
class CMainFrame;
class CommandRouter;

class CKrovelDeviceApp : public QObject {
    Q_OBJECT
public:
    CKrovelDeviceApp();
    ~CKrovelDeviceApp() override;

    // The running application (nullptr outside the life of one).
    static CKrovelDeviceApp* instance();

    // The start-up sequence; false when the program must end before its event loop.
    bool InitInstance(const CommandLineParts& commandLine);
    // The same with one command-line text, split at its first blank.
    bool InitInstance(const std::string& commandLine) {
        return InitInstance(SplitCommandLine(commandLine));
    }
    // The exit sequence, after the main window has closed; returns the exit code.
    int ExitInstance();

    CommandRouter& router() const { return *router_; }
    CKrovelDeviceDoc* document() const { return doc_.get(); }
    CMainFrame* mainFrame() const { return frame_.get(); }
    CKrovelDeviceView* view() const;
    SignalSounds& sounds() { return sounds_; }

    // Application commands.
    void OnSubjectSelect(); // 32771
    void OnAppAbout();      // 57664
    void OnPrintSetup();    // 57606
    void OnAppExit();       // 57665

private:
    void RegisterCommands();

    std::unique_ptr<CommandRouter> router_;
    SignalSounds sounds_;
    std::unique_ptr<CKrovelDeviceDoc> doc_;
    std::unique_ptr<CMainFrame> frame_;
};

// Names the per-user settings key "Marvolen Krovel" and the application "Kelvane"; the
// per-user folder of ResolveProgramFolder depends on them.
void SetApplicationIdentity();

// The folder that plays the program folder's role, with a trailing separator:
// KROVEL_HOME when set (created if missing), else the executable's folder; when that
// folder is not writable, the per-user application data folder instead. When it was
// KROVEL_HOME that could not be used, `homeWarning` (when given) is set to the message
// that names it, the reason and the folder used instead.
std::string ResolveProgramFolder(std::string* homeWarning = nullptr);

} // namespace krovel
