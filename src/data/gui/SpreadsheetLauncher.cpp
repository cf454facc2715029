#include "data/gui/SpreadsheetLauncher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QUrl>

#include "app/core/AppPaths.h"

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
    if (SpreadsheetDisabled()) return;
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
            QProcess::startDetached(executable, {QStringLiteral("--calc"), file}))
            return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(file));
#endif
}

void SetSpreadsheetOpener(SpreadsheetOpener opener) {
    InstalledOpener() = std::move(opener);
}

void ExportSpreadsheetFromTable(const std::vector<SpreadsheetRow>& rows) {
    const SpreadsheetOpener& installed = InstalledOpener();
    ExportSpreadsheet(DataFolder, rows,
                      installed ? installed : SpreadsheetOpener(OpenInSpreadsheetProgram));
}

} // namespace krovel
