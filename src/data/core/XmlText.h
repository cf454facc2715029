// Program text made safe for XML character data and attribute values.
#pragma once

#include <string>
#include <string_view>

namespace krovel {

// Escapes the five markup characters (& < > " ') and keeps the result well-formed:
// invalid UTF-8 bytes and the control characters XML 1.0 forbids (all below 0x20
// except tab, line feed and carriage return) become U+FFFD. Everything else,
// including the tab and line ends, is kept byte for byte.
std::string EscapeXmlText(std::string_view text);

} // namespace krovel
