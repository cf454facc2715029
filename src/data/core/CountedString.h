// The length-prefixed string of the measurement file. The prefix grows with the length:
//   0..254 bytes            one byte n
//   255..65533              0xFF, uint16 n
//   65534..                 0xFF, uint16 0xFFFF, uint32 n  (and 0xFFFFFFFF, uint64 n beyond)
// A prefix 0xFF, uint16 0xFFFE marks a string of UTF-16 characters; a second prefix of
// the same forms then counts the characters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "data/core/ByteStream.h"

namespace krovel {

// Longest string a file may declare; longer ones are a format error.
inline constexpr uint64_t MaxCountedStringLength = 2147483647;

// Writes UTF-8 text as single-byte Windows-1252 when every character has a byte
// there, otherwise in the UTF-16 form, so no character is lost.
void WriteCountedString(ByteWriter& out, std::string_view utf8);

// Reads one counted string into UTF-8. False (and the reader failed) when the bytes run
// out or the declared length exceeds MaxCountedStringLength.
bool ReadCountedString(ByteReader& in, std::string& utf8);

} // namespace krovel
