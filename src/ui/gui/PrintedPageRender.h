// The printed report on Qt paint devices: a printer (print and print preview, through
// the print plugin) and a PDF file (krovel-cli print). Both draw the pages of ui/core/PrintedPage.h
// through a paper canvas, with the same margins, so every output puts the page in the same place.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "base/core/Status.h"
#include "measure/core/RepTableText.h"

class QPainter;
class QPageLayout;
class QMarginsF;

namespace krovel {

// The report's margins on every side, 10 mm: the printer starts with them and PDF
// files are written with them.
QMarginsF ReportMargins();
// The layout of a report written as a PDF file: A4 landscape (the table is 273 mm
// wide) with the report's margins.
QPageLayout ReportPdfLayout();

// Draws page `page` (0-based) with the painter's origin at the top-left of the
// printable area, which is `printableHeight` (0.1 mm) high, from the current view
// state and data model.
void RenderPrintedPage(QPainter& painter, int32_t viewMode, std::span<const RepRowText> tableRows,
                       int32_t printableHeight, int32_t page);

// The number of pages the report takes on pages of `layout`.
int32_t PrintedPageCount(const QPageLayout& layout, int32_t viewMode,
                         std::span<const RepRowText> tableRows);

// The height of a layout's printable area in 0.1 mm.
int32_t PrintableHeightOf(const QPageLayout& layout);

// Every page as a PDF file of ReportPdfLayout. The file is replaced only once every
// page was written; the status says why when it could not be.
Status WritePrintedPagePdf(const std::string& path, int32_t viewMode,
                           std::span<const RepRowText> tableRows);

} // namespace krovel
