#include "ui/gui/PrintedPageRender.h"

#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <cmath>

#include "measure/core/ViewState.h"
#include "ui/core/PrintedPage.h"
#include "ui/gui/QPainterCanvas.h"

namespace krovel {

namespace {

// Height of a layout's printable area in 0.1 mm.
int32_t PrintableHeightOf(const QPageLayout& layout) {
    return static_cast<int32_t>(
        std::floor(layout.paintRect(QPageLayout::Millimeter).height() * 10));
}

} // namespace

void RenderPrintedPage(QPainter& painter, int32_t viewMode, std::span<const RepRowText> tableRows,
                       int32_t printableHeight) {
    QPainterCanvas canvas(painter, QPainterCanvas::Target::Paper);
    DrawPrintedPage(canvas, viewMode, tableRows, CurrentGraphInputs(), printableHeight);
}

bool PrintPage(QPrinter& printer, int32_t viewMode, std::span<const RepRowText> tableRows) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    RenderPrintedPage(painter, viewMode, tableRows, PrintableHeightOf(printer.pageLayout()));
    return painter.end();
}

bool WritePrintedPagePdf(const std::string& path, int32_t viewMode,
                         std::span<const RepRowText> tableRows) {
    QPdfWriter pdf(QString::fromStdString(path));
    pdf.setCreator(QStringLiteral("Kinetrak Krovel"));
    pdf.setResolution(600);
    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                             QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    pdf.setPageLayout(layout);
    QPainter painter;
    // QPdfWriter does not say when its file cannot be opened; begin() does.
    if (!painter.begin(&pdf)) return false;
    RenderPrintedPage(painter, viewMode, tableRows, PrintableHeightOf(layout));
    return painter.end() && QFile::exists(QString::fromStdString(path));
}

} // namespace krovel
