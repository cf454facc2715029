#include "ui/gui/SharedPrinter.h"

#include <QCoreApplication>
#include <QPrinter>

namespace krovel {

namespace {

QPrinter* printer = nullptr;

// The printer goes with the application object, before Qt's printing support does.
void DeletePrinter() {
    delete printer;
    printer = nullptr;
}

} // namespace

QPrinter& SharedPrinter() {
    if (!printer) {
        printer = new QPrinter(QPrinter::HighResolution);
        // The printed report's table is 273 mm wide: it fits across a landscape page
        // (A4 or Letter), while portrait would cut off its last columns.
        printer->setPageOrientation(QPageLayout::Landscape);
        qAddPostRoutine(DeletePrinter);
    }
    return *printer;
}

} // namespace krovel
