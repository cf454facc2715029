#include "ui/gui/PrintedPageRender.h"

#include <QBuffer>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

#include "base/core/AtomicFile.h"
#include "ui/core/PrintedPage.h"
#include "ui/core/ViewState.h"
#include "ui/gui/QPainterCanvas.h"

namespace krovel {

namespace {

// Pages first .. last on a device laid out as `layout`, each after the first on a
// new sheet.
bool PaintPages(QPagedPaintDevice& device, const QPageLayout& layout, int32_t viewMode,
                std::span<const RepRowText> tableRows, int32_t first, int32_t last) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const int32_t height = PrintableHeightOf(layout);
    for (int32_t page = first; page <= last; ++page) {
        if (page > first && !device.newPage()) return false;
        RenderPrintedPage(painter, viewMode, tableRows, height, page);
    }
    return painter.end();
}

} // namespace

int32_t PrintableHeightOf(const QPageLayout& layout) {
    return static_cast<int32_t>(
        std::floor(layout.paintRect(QPageLayout::Millimeter).height() * 10));
}

QMarginsF ReportMargins() {
    return QMarginsF(10, 10, 10, 10);
}

QPageLayout ReportPdfLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, ReportMargins(),
                       QPageLayout::Millimeter);
}

void RenderPrintedPage(QPainter& painter, int32_t viewMode, std::span<const RepRowText> tableRows,
                       int32_t printableHeight, int32_t page) {
    QPainterCanvas canvas(painter, QPainterCanvas::Target::Paper);
    DrawPrintedPage(canvas, viewMode, tableRows, CurrentGraphInputs(), printableHeight, page);
}

int32_t PrintedPageCount(const QPageLayout& layout, int32_t viewMode,
                         std::span<const RepRowText> tableRows) {
    return PrintedPageCount(viewMode, tableRows, PrintableHeightOf(layout));
}

Status WritePrintedPagePdf(const std::string& path, int32_t viewMode,
                           std::span<const RepRowText> tableRows) {
    // The pages are made in memory and then replace the file in one step, so a full
    // disk leaves the previous file whole instead of a broken PDF.
    QBuffer page;
    page.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&page);
    pdf.setCreator(QStringLiteral("Kinetrak Krovel"));
    pdf.setResolution(600);
    const QPageLayout layout = ReportPdfLayout();
    pdf.setPageLayout(layout);
    const int32_t last = PrintedPageCount(layout, viewMode, tableRows) - 1;
    if (!PaintPages(pdf, layout, viewMode, tableRows, 0, last))
        return Status::Fail("the pages cannot be drawn");
    const QByteArray& bytes = page.data();
    return WriteFileAtomically(path, std::string(bytes.constData(), bytes.size()));
}

} // namespace krovel
