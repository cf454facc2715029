#include "ui/gui/Printing.h"

#include "base/io/LogCategories.h"
#include "base/io/PluginLibrary.h"
#include "ui/gui/PrintedPageRender.h"

namespace krovel {

PrintService* LoadPrintService() {
    // Loaded once from the plugin folder (which only tests change).
    static PrintService* service = nullptr;
    static QString loadedFrom;
    if (service && loadedFrom == PluginFolder()) return service;
    QFunctionPointer entry = nullptr;
    if (const Status loaded = PluginEntry(PrintPluginName, PrintPluginEntry, entry); !loaded) {
        qCWarning(PrintLog) << "cannot print, the print plugin cannot be loaded:"
                            << QString::fromStdString(loaded.message());
        return nullptr;
    }
    auto make = reinterpret_cast<MakePrintService>(entry);
    service = make(ReportMargins());
    loadedFrom = PluginFolder();
    return service;
}

} // namespace krovel
