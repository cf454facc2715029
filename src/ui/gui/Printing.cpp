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
    QString reason;
    auto make =
        reinterpret_cast<MakePrintService>(PluginEntry(PrintPluginName, PrintPluginEntry, &reason));
    if (!make) {
        qCWarning(PrintLog) << "cannot print, the print plugin cannot be loaded:" << reason;
        return nullptr;
    }
    service = make(ReportMargins());
    loadedFrom = PluginFolder();
    return service;
}

} // namespace krovel
