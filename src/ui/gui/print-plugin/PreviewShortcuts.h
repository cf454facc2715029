// Keys for the print preview's toolbar, which Qt gives none: Ctrl+P prints from the
// preview, Ctrl+Shift+P opens the page setup, Alt+P and Alt+L turn the page to portrait
// and landscape. Esc still closes the preview.
#pragma once

class QPrintPreviewDialog;

namespace krovel {

void AddPreviewShortcuts(QPrintPreviewDialog& preview);

} // namespace krovel
