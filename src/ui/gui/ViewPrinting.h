// The view's printing commands: Print (57607, with the print dialog), direct print
// (57608, without it) and Print Preview (57609). All of them print one page: the
// header of the current series and the graph or the repetition table the view shows,
// on the printer chosen by Print Setup.
#pragma once

namespace krovel {

class CKrovelDeviceView;

// The print dialog on the shared printer, then the page; nothing when cancelled.
void PrintView(CKrovelDeviceView& view);
// The page on the shared printer as it is set up.
void PrintViewDirect(CKrovelDeviceView& view);
// Hides the ModeBar, shows the preview of the page, and when the preview closes
// rebuilds the bar of the view mode with its initial selections.
void PreviewView(CKrovelDeviceView& view);

void RegisterPrintCommands(CKrovelDeviceView& view);

} // namespace krovel
