#include "base/io/PluginLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace krovel {

namespace {

QString chosenFolder;

} // namespace

QString PluginFolder() {
    if (!chosenFolder.isEmpty()) return chosenFolder;
    // Relative to the program, so that the install prefix does not matter.
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/../" KROVEL_PLUGIN_DIR));
}

void SetPluginFolder(const QString& folder) {
    chosenFolder = folder;
}

Status PluginEntry(const char* name, const char* symbol, QFunctionPointer& entry) {
    entry = nullptr;
    QLibrary library(PluginFolder() + QLatin1Char('/') + QLatin1String(name) +
                     QStringLiteral(".so"));
    if (!library.load()) return Status::Fail(library.errorString().toStdString());
    entry = library.resolve(symbol);
    if (!entry) return Status::Fail(library.errorString().toStdString());
    return Status::Ok();
}

} // namespace krovel
