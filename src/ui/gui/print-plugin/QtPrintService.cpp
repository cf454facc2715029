// The print plugin: PrintService on Qt PrintSupport, with the run's one printer.
#include <QCoreApplication>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <algorithm>

#include "ui/gui/PrintService.h"
#include "ui/gui/print-plugin/PreviewShortcuts.h"

namespace krovel {

namespace {

// The pages of the job on `printer`: those of its page range when one is chosen, else
// all, each after the first on a new sheet.
bool PrintPages(QPrinter& printer, const PrintJob& job) {
    const QPageLayout layout = printer.pageLayout();
    const int last = job.startPages(layout) - 1;
    int from = 0, to = last;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = std::clamp(printer.fromPage() - 1, 0, last);
        to = std::clamp(printer.toPage() - 1, from, last);
    }
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    for (int page = from; page <= to; ++page) {
        if (page > from && !printer.newPage()) return false;
        job.drawPage(painter, {page, painter.viewport(), printer.resolution(), layout});
    }
    return painter.end();
}

// A page range chosen for one print job does not carry over to the next print or preview.
void ForgetPageRange(QPrinter& printer) {
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
}

class QtPrintService final : public PrintService {
public:
    explicit QtPrintService(const QMarginsF& margins) : printer_(QPrinter::HighResolution) {
        printer_.setPageOrientation(QPageLayout::Landscape);
        printer_.setPageMargins(margins, QPageLayout::Millimeter);
    }

    bool Print(const PrintJob& job, QWidget* parent) override {
        if (!job.dialogPages) {
            QPrintDialog dialog(&printer_, parent);
            return dialog.exec() == QDialog::Accepted && PrintPages(printer_, job);
        }
        ForgetPageRange(printer_);
        const int pages = job.dialogPages(printer_.pageLayout());
        QPrintDialog dialog(&printer_, parent);
        // Only a job longer than a page offers a range of pages.
        dialog.setMinMax(1, pages);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, pages > 1);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        const bool printed = dialog.exec() == QDialog::Accepted && PrintPages(printer_, job);
        ForgetPageRange(printer_);
        return printed;
    }

    bool PrintDirect(const PrintJob& job) override { return PrintPages(printer_, job); }

    void Preview(const PrintJob& job, QWidget* parent) override {
        ForgetPageRange(printer_);
        QPrintPreviewDialog preview(&printer_, parent);
        AddPreviewShortcuts(preview);
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                         [&job](QPrinter* printer) { PrintPages(*printer, job); });
        preview.exec();
        ForgetPageRange(printer_);
    }

    void PageSetup(QWidget* parent) override {
        QPageSetupDialog setup(&printer_, parent);
        setup.exec();
    }

    QPrinter& printer() override { return printer_; }

private:
    QPrinter printer_;
};

QtPrintService* service = nullptr;

// The printer goes with the application object, before Qt's printing support does.
void DeleteService() {
    delete service;
    service = nullptr;
}

} // namespace

} // namespace krovel

extern "C" Q_DECL_EXPORT krovel::PrintService* krovel_make_print_service(const QMarginsF& margins) {
    if (!krovel::service) {
        krovel::service = new krovel::QtPrintService(margins);
        qAddPostRoutine(krovel::DeleteService);
    }
    return krovel::service;
}
