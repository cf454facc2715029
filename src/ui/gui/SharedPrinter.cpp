#include "ui/gui/SharedPrinter.h"

#include <QCoreApplication>
#include <QMarginsF>
#include <QPrinter>

#include "ui/gui/PrintedPageRender.h"

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
        // The report's own margins rather than the printer's smallest, so a page
        // printed (or printed to a PDF file) lands where krovel-cli print puts it.
        printer->setPageMargins(ReportMargins(), QPageLayout::Millimeter);
        qAddPostRoutine(DeletePrinter);
    }
    return *printer;
}

} // namespace krovel
