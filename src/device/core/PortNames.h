// The serial ports the program offers, by the names the user sees. PortIndex and
// PortSetting index this table; only 0..PortCount-1 name a port.
#pragma once

#include <cstdint>

namespace krovel {

constexpr int PortCount = 5;
inline constexpr const char* PortNames[PortCount] = {"COM1", "COM2", "COM3", "COM4", "COM5"};

constexpr bool IsPortIndex(int32_t index) {
    return index >= 0 && index < PortCount;
}

} // namespace krovel
