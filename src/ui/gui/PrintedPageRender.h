// The printed report on Qt paint devices: a printer (print and print preview) and a
// PDF file (krovel-cli print). Both draw the page of ui/core/PrintedPage.h through a
// paper canvas, so every output shows the same page.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "measure/core/RepTableText.h"

class QPainter;
class QPrinter;

namespace krovel {

// Draws the page with the painter's origin at the top-left of the printable area,
// which is `printableHeight` (0.1 mm) high, from the current view state and data model.
void RenderPrintedPage(QPainter& painter, int32_t viewMode, std::span<const RepRowText> tableRows,
                       int32_t printableHeight);

// One page on the printer; false when the printer cannot be opened.
bool PrintPage(QPrinter& printer, int32_t viewMode, std::span<const RepRowText> tableRows);

// The page as a one-page PDF file: A4 landscape (the table is 273 mm wide) with 10 mm
// margins; false when the file cannot be written.
bool WritePrintedPagePdf(const std::string& path, int32_t viewMode,
                         std::span<const RepRowText> tableRows);

} // namespace krovel
