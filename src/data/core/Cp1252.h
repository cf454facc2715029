// Windows-1252, the single-byte code page of the measurement file's text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace krovel {

// The bytes read as Windows-1252, as UTF-8. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value,
// as Windows does, so every byte survives a round trip.
std::string Cp1252ToUtf8(std::string_view bytes);

// The UTF-8 text in Windows-1252, or nothing when some character has no byte there.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);

} // namespace krovel
