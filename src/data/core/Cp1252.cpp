#include "data/core/Cp1252.h"

#include "data/core/Unicode.h"

namespace krovel {

namespace {

// Code points of the bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr char16_t HighControlRow[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

char32_t ByteToCodePoint(unsigned char b) {
    return b >= 0x80 && b <= 0x9F ? HighControlRow[b - 0x80] : b;
}

std::optional<unsigned char> CodePointToByte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
    for (int i = 0; i < 32; ++i) {
        if (HighControlRow[i] == c) return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

} // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char b : bytes) AppendUtf8(out, ByteToCodePoint(static_cast<unsigned char>(b)));
    return out;
}

std::optional<std::string> Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char32_t c : DecodeUtf8(utf8)) {
        auto b = CodePointToByte(c);
        if (!b) return std::nullopt;
        out += static_cast<char>(*b);
    }
    return out;
}

} // namespace krovel
