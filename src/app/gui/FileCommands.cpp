#include "app/gui/FileCommands.h"

#include <QDateTime>
#include <QFileInfo>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "base/core/AppPaths.h"
#include "base/core/CommandIds.h"
#include "base/core/Prompts.h"
#include "base/gui/CommandRouter.h"
#include "base/gui/QtText.h"
#include "base/io/LogCategories.h"
#include "data/core/DataModel.h"
#include "data/core/MeasurementFile.h"
#include "data/core/SubjectBarSync.h"
#include "data/core/TextFormat.h"
#include "quorl/gui/Quorl.h"
#include "ui/gui/CKrovelDeviceView.h"
#include "ui/gui/CMainFrame.h"
#include "ui/gui/SubjectBar.h"

namespace krovel {

namespace {

constexpr const char* FileTimeFormat = " %d.%m.%Y %H:%M ";

// True when the path lies in the folder (an empty folder holds every path). Letters are
// compared exactly: on a case-sensitive file system "Smith/" and "smith/" are two
// subjects' folders. A path that matches only without regard to case counts when it
// names the very same folder on disk, as on a case-insensitive file system.
bool StartsWithFolder(const std::string& path, const std::string& folder) {
    if (path.size() < folder.size()) return false;
    if (path.compare(0, folder.size(), folder) == 0) return true;
    const bool sameLetters =
        std::equal(folder.begin(), folder.end(), path.begin(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) ==
                   std::tolower(static_cast<unsigned char>(b));
        });
    std::error_code error;
    return sameLetters && std::filesystem::equivalent(folder, path.substr(0, folder.size()), error);
}

// The series whose start time names the subject's data folder: the last one, or
// entry 0 while the table is empty.
int32_t LastSeriesIndex() {
    return std::clamp(SeriesCount - 1, 0, MaxSeries - 1);
}

} // namespace

std::string FileTimeTextOf(const std::string& path) {
    const QDateTime modified = QFileInfo(PathToQt(path)).lastModified();
    if (!modified.isValid()) return {};
    return FormatLocalTime(modified.toSecsSinceEpoch(), FileTimeFormat);
}

void OfferToSaveUnsavedData(CMainFrame& frame) {
    if (DataSaved == 0 && AskYesNo("Data not saved. Save?")) SaveCommand(frame);
}

bool SaveCommand(CMainFrame& frame) {
    // The file is labelled with the subject as the record holds it: a subject chosen
    // here only makes the registry's folders available.
    if (!QuorlIsValid() && !QuorlSubjectDialog()) return false;

    ReadSubjectBar(frame.view()->subjectBar());

    std::string dataFolder;
    QuorlDataFolder(Series[LastSeriesIndex()].StartTime, dataFolder);

    FileDialogRequest request;
    request.defaultExtension = MeasurementExtension;
    request.initialFolder = dataFolder;
    request.initialName = AppPaths.SuggestedFileName;
    const std::optional<std::string> chosen = CurrentPrompts().saveFile(request);
    if (!chosen) return false;

    const std::string path = ExitSavePath(*chosen);
    if (!StartsWithFolder(path, dataFolder))
        ShowNotice("You are about to store data outside of predefined directory.");

    if (!WriteMeasurementFile(path)) {
        qCInfo(FilesLog) << "measurements not written:" << path.c_str();
        return false;
    }
    qCInfo(FilesLog) << "measurements written:" << path.c_str();

    FileTimeText = FileTimeTextOf(path);
    FileName = FileTitleOf(*chosen);
    DataPresent = 1;
    frame.router().send(cmd::ShowOverview);
    frame.RepaintAll();
    return true;
}

bool OpenCommand(CMainFrame& frame) {
    OfferToSaveUnsavedData(frame);

    const int from = QuorlLoadDialog();
    if (from == QuorlOpenCancelled) return false;

    // The subject's own folder when the user asked for it; then a file from elsewhere
    // tells the registry which subject it belongs to.
    std::string subjectFolder;
    FileDialogRequest request;
    if (from == QuorlOpenFromSubjectFolder) {
        QuorlSubjectFolder(subjectFolder);
        request.initialFolder = subjectFolder;
    } else {
        request.initialFolder = AppPaths.DataFolder;
    }
    const std::optional<std::string> chosen = CurrentPrompts().openFile(request);
    if (!chosen) return false;
    return OpenChosenFile(frame, *chosen, subjectFolder);
}

bool OpenChosenFile(CMainFrame& frame, const std::string& path, const std::string& subjectFolder) {
    if (!ReadMeasurementFile(path)) {
        qCInfo(FilesLog) << "measurements not read:" << path.c_str();
        return false;
    }
    qCInfo(FilesLog) << "measurements read:" << path.c_str();
    FileName = FileTitleOf(path);

    if (!StartsWithFolder(path, subjectFolder)) QuorlSelectByData(path);
    if (QuorlIsValid())
        QuorlFillSubject(TestHeader.Subject);
    else
        QuorlTakeSubject(TestHeader.Subject);

    FileTimeText = FileTimeTextOf(path);
    frame.router().send(cmd::ShowOverview);
    return true;
}

} // namespace krovel
