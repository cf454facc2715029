#include "measure/gui/SpreadsheetLauncher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QUrl>

#include "base/core/AppPaths.h"
#include "base/core/Prompts.h"
#include "base/io/LogCategories.h"

#ifdef Q_OS_WIN
#include <shellapi.h>
#include <windows.h>
#endif

namespace krovel {

namespace {

SpreadsheetOpener& InstalledOpener() {
    static SpreadsheetOpener opener;
    return opener;
}

bool SpreadsheetDisabled() {
    const QByteArray value = qgetenv("KROVEL_NO_SPREADSHEET");
    return !value.isEmpty() && value != "0";
}

} // namespace

void OpenInSpreadsheetProgram(const std::string& path) {
    // Without a spreadsheet program to show it, the user still learns where it is.
    const std::string written = "Workbook written to " + path;
    if (SpreadsheetDisabled()) {
        ShowStatusText(written);
        return;
    }
    const QString file = QString::fromStdString(path);
#ifdef Q_OS_WIN
    // The shell finds excel.exe through its registered application paths, which a
    // plain process start would not search.
    const std::wstring parameter = L"\"" + file.toStdWString() + L"\"";
    ::ShellExecuteW(nullptr, L"open", L"excel.exe", parameter.c_str(), nullptr, SW_SHOWNORMAL);
#else
    for (const char* program : {"libreoffice", "soffice"}) {
        const QString executable = QStandardPaths::findExecutable(QString::fromLatin1(program));
        if (!executable.isEmpty() &&
            QProcess::startDetached(executable, {QStringLiteral("--calc"), file})) {
            qCInfo(FilesLog) << "workbook" << file << "opened with" << executable;
            return;
        }
    }
    qCInfo(FilesLog) << "no LibreOffice found; workbook" << file << "goes to the desktop";
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file))) ShowStatusText(written);
#endif
}

void SetSpreadsheetOpener(SpreadsheetOpener opener) {
    InstalledOpener() = std::move(opener);
}

void ExportSpreadsheetFromTable(const std::vector<SpreadsheetRow>& rows) {
    const SpreadsheetOpener& installed = InstalledOpener();
    if (ExportSpreadsheet(AppPaths.DataFolder, rows,
                          installed ? installed : SpreadsheetOpener(OpenInSpreadsheetProgram)))
        qCInfo(FilesLog) << "workbook written:"
                         << SpreadsheetExportPath(AppPaths.DataFolder).c_str();
    else
        qCInfo(FilesLog) << "workbook not written:"
                         << SpreadsheetExportPath(AppPaths.DataFolder).c_str();
}

} // namespace krovel
