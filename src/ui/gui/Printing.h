// The print plugin (ui/gui/PrintService.h) as the window reaches it: loaded at the
// first print, preview or page setup, then kept.
#pragma once

#include "ui/gui/PrintService.h"

namespace krovel {

// The print service; nullptr when the plugin cannot be loaded, which is then logged to
// krovel.print as a failed print is (and tried again at the next print).
PrintService* LoadPrintService();

} // namespace krovel
