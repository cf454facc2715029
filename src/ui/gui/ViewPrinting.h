// The view's printing commands: Print (57607, with the print dialog), direct print
// (57608, without it) and Print Preview (57609). All of them print the header of the
// current series and the graph or the repetition table the view shows, on the printer
// chosen by Print Setup: one page, or as many as a long table needs.
#pragma once

namespace krovel {

class CKrovelDeviceView;

// The print dialog on the shared printer, then the pages; nothing when cancelled.
void PrintView(CKrovelDeviceView& view);
// Every page on the shared printer as it is set up.
void PrintViewDirect(CKrovelDeviceView& view);
// Hides the ModeBar, shows the preview of every page, and when the preview closes
// rebuilds the bar of the view mode with its initial selections.
void PreviewView(CKrovelDeviceView& view);

void RegisterPrintCommands(CKrovelDeviceView& view);

} // namespace krovel
