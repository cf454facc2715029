// Conversions between the program's UTF-8 text and UTF-16, the wide form the
// measurement file uses for text that has no single-byte encoding.
#pragma once

#include <string>
#include <string_view>

namespace krovel {

// The replacement for malformed input: a bad UTF-8 sequence or a lone surrogate.
inline constexpr char32_t ReplacementCharacter = U'\uFFFD';

// Appends one code point as UTF-8.
void AppendUtf8(std::string& out, char32_t c);

// The code points of a UTF-8 text; every malformed sequence yields one U+FFFD.
std::u32string DecodeUtf8(std::string_view utf8);

// Length of the well-formed UTF-8 sequence starting at text[i], or 0 when the bytes
// there are not one (overlong forms, surrogates and values above U+10FFFF included).
size_t Utf8SequenceLength(std::string_view text, size_t i);

// Appends the `length` bytes at text[i], or U+FFFD for the one byte there when length is
// 0 (no well-formed sequence starts there); the number of bytes taken.
size_t AppendSequenceOrReplacement(std::string& out, std::string_view text, size_t i,
                                   size_t length);

// The text with each byte that is not part of a well-formed UTF-8 sequence as U+FFFD,
// so a name of any bytes can go where only UTF-8 may.
std::string ValidUtf8(std::string_view text);

// The text with each NUL as U+FFFD: a terminal shows nothing for it, and many readers
// end the text there.
std::string WithoutNul(std::string_view text);

std::u16string Utf8ToUtf16(std::string_view utf8);

// Lone surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);

} // namespace krovel
