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
        qAddPostRoutine(DeletePrinter);
    }
    return *printer;
}

} // namespace krovel
