// Which FtdiApi the USB transport talks to: libftdi by default, the demo device's
// simulated bus when the environment variable KROVEL_DEVICE is "demo", or whatever a
// test installs.
#pragma once

#include "device/io/FtdiApi.h"

namespace krovel {

FtdiApi& CurrentFtdiApi();

// Installs api (owned by the caller, which keeps it alive while a link uses it);
// nullptr goes back to the default chosen from the environment.
void UseFtdiApi(FtdiApi* api);

} // namespace krovel
