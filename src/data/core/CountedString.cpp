#include "data/core/CountedString.h"

#include "data/core/Cp1252.h"
#include "data/core/Unicode.h"

namespace krovel {

namespace {

constexpr uint16_t WideMarker = 0xFFFE;

void WriteLength(ByteWriter& out, uint64_t n) {
    if (n < 0xFF) {
        out.u8(static_cast<uint8_t>(n));
        return;
    }
    out.u8(0xFF);
    if (n < 0xFFFE) { // 0xFFFE is the wide marker, so it takes the longer form
        out.u16(static_cast<uint16_t>(n));
        return;
    }
    out.u16(0xFFFF);
    if (n < 0xFFFFFFFF) {
        out.u32(static_cast<uint32_t>(n));
        return;
    }
    out.u32(0xFFFFFFFF);
    out.u64(n);
}

// The rest of a prefix after 0xFF and its uint16 word.
uint64_t ReadLengthAfterWord(ByteReader& in, uint16_t word) {
    if (word < 0xFFFF) return word;
    uint32_t dword = in.u32();
    if (dword < 0xFFFFFFFF) return dword;
    return in.u64();
}

} // namespace

void WriteCountedString(ByteWriter& out, std::string_view utf8) {
    if (auto narrow = Utf8ToCp1252(utf8)) {
        WriteLength(out, narrow->size());
        out.bytes(narrow->data(), narrow->size());
        return;
    }
    std::u16string wide = Utf8ToUtf16(utf8);
    out.u8(0xFF);
    out.u16(WideMarker);
    WriteLength(out, wide.size());
    for (char16_t c : wide) out.u16(c);
}

bool ReadCountedString(ByteReader& in, std::string& utf8) {
    bool wide = false;
    uint64_t length = in.u8();
    if (length == 0xFF) {
        uint16_t word = in.u16();
        if (word == WideMarker) {
            // The character count follows in the same forms; here 0xFFFE is a length.
            wide = true;
            length = in.u8();
            if (length == 0xFF) length = ReadLengthAfterWord(in, in.u16());
        } else {
            length = ReadLengthAfterWord(in, word);
        }
    }
    if (length > MaxCountedStringLength) in.fail();
    if (!in.ok()) return false;

    if (!wide) {
        const uint8_t* p = in.take(length);
        if (!p) return false;
        utf8 = Cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(p), length));
        return true;
    }
    const uint8_t* p = in.take(length * 2);
    if (!p) return false;
    std::u16string units(length, u'\0');
    for (uint64_t i = 0; i < length; ++i) {
        units[i] = static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8));
    }
    utf8 = Utf16ToUtf8(units);
    return true;
}

} // namespace krovel
