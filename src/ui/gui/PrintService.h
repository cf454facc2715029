// What the print plugin (krovel-print) does for the window: the print dialog, the print
// preview and the page setup, on the one printer of the run, which it keeps, so that
// what Page Setup chooses is what printing and print preview use. The window draws the
// pages through the job's callbacks. Qt PrintSupport is thus loaded at the first print,
// preview or page setup. Header only: the plugin links Qt alone.
#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QRect>

#include <functional>

class QPainter;
class QPrinter;
class QWidget;

namespace krovel {

// A page to draw: its number (0-based), the painter's page rectangle in device pixels,
// the printer's resolution (dots per inch) and its page layout.
struct PrintedSheet {
    int page = 0;
    QRect rect;
    int resolution = 0;
    QPageLayout layout;
};

struct PrintJob {
    // The pages on a layout, for the print dialog's range; a job with it prints the
    // range chosen for it alone (the printer forgets it before and after). Without it
    // the print dialog is Qt's own as it comes.
    std::function<int(const QPageLayout&)> dialogPages;
    // Called once as printing starts (the window reads what it prints then): the pages
    // on the layout. Those of the chosen range are drawn, else all of them.
    std::function<int(const QPageLayout&)> startPages;
    // Draws one page with a painter begun on the printer.
    std::function<void(QPainter&, const PrintedSheet&)> drawPage;
};

class PrintService {
public:
    virtual ~PrintService() = default;
    // The print dialog, then the pages; false when it was cancelled or the printer
    // could not be opened.
    virtual bool Print(const PrintJob& job, QWidget* parent) = 0;
    // The pages on the printer as it is set up, without a dialog.
    virtual bool PrintDirect(const PrintJob& job) = 0;
    // The preview of the pages, from which they can also be printed.
    virtual void Preview(const PrintJob& job, QWidget* parent) = 0;
    virtual void PageSetup(QWidget* parent) = 0;
    // The printer itself, for tests that print into a PDF file.
    virtual QPrinter& printer() = 0;
};

// The plugin's file name and its entry point, which makes the service with a landscape
// printer whose margins (mm) are `margins`.
inline constexpr char PrintPluginName[] = "krovel-print";
inline constexpr char PrintPluginEntry[] = "krovel_make_print_service";
using MakePrintService = PrintService* (*)(const QMarginsF& margins);

} // namespace krovel
