// Process-wide state of the live measurement that other parts read.
#pragma once

#include "device/core/StreamDecoder.h"

namespace krovel {

// The live measurement's link request. Its Finished is 0 from the start of a live
// measurement until it ends; STOP and the overview (command 32782) set it to 1.
// The reader thread writes it: read and write Finished through device/core/HandOver.h.
extern LinkRequestRecord LiveRequest;

} // namespace krovel
