// The velocity-loss stop's share, kept per user in the program's settings file
// (QSettings "Marvolen Krovel"/"Kelvane", key "Live/VelocityLossStop"): whole percent
// from 0 (off, the default) to MaxStopPercent.
#pragma once

#include <cstdint>

namespace krovel {

inline constexpr const char* VelocityLossStopKey = "Live/VelocityLossStop";

// The stored share; a missing, unreadable or out-of-range value reads as 0 (off).
int32_t ReadVelocityLossStop();
void WriteVelocityLossStop(int32_t percent); // clamped to 0..MaxStopPercent

} // namespace krovel
